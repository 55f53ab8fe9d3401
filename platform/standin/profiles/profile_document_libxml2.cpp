// Reads profiles with libxml2 (loaded by profiles/libxml2.cpp): no network, no external or
// internal document type, the parser's own size and depth limits kept.
#include <climits>
#include <cstring>

#include "platform/standin/profiles/libxml2.h"
#include "platform/standin/profiles/profile_document.h"
#include "platform/standin/text/unicode.h"

namespace standin {

static const int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_IGNORE_ENC;

static void IgnoreError(void*, xmlErrorPtr) {}

// Keeps the first error reported while a text is read, when the caller asked for it.
static void KeepFirstProblem(void* context, xmlErrorPtr error) {
  ProfileProblem* problem = static_cast<ProfileProblem*>(context);
  if (problem == nullptr || !problem->message.empty() || error == nullptr || error->message == nullptr) return;
  problem->line = error->line;
  problem->message = error->message;
  while (!problem->message.empty() && problem->message.back() == '\n') problem->message.pop_back();
}

struct ReadingState {
  bool documentType = false;
  ProfileProblem* problem = nullptr;
};

// MSXML 6 prohibits document types by default; stopping at one also keeps entity
// declarations, and whatever they would expand to, out of the document.
static void RefuseDocumentType(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
  xmlParserCtxtPtr parser = static_cast<xmlParserCtxtPtr>(context);
  ReadingState& reading = *static_cast<ReadingState*>(parser->_private);
  reading.documentType = true;
  if (reading.problem != nullptr && reading.problem->message.empty()) {
    reading.problem->line = parser->input ? parser->input->line : 0;
    reading.problem->message = "a document type, which the profile parser refuses";
  }
  Libxml2Library()->stopParser(parser);
}

// Compiled once per process: every profile is checked against the same schema.
static xmlSchemaPtr ProfileSchema(const Libxml2& xml) {
  static xmlSchemaPtr schema = [&xml] {
    xmlSchemaParserCtxtPtr parser =
        xml.schemaNewMemParserCtxt(kProfileSchema, static_cast<int>(strlen(kProfileSchema)));
    if (parser == nullptr) return static_cast<xmlSchemaPtr>(nullptr);
    xml.schemaSetParserStructuredErrors(parser, IgnoreError, nullptr);
    xmlSchemaPtr compiled = xml.schemaParse(parser);
    xml.schemaFreeParserCtxt(parser);
    return compiled;
  }();
  return schema;
}

static std::u16string Text(const xmlChar* utf8) {
  return utf8 ? Utf8ToUtf16(reinterpret_cast<const char*>(utf8)) : std::u16string();
}

// Depth is bounded by the parser's own nesting limit.
static void Describe(const xmlNode* node, ProfileElement& element) {
  element.namespaceUri = node->ns ? Text(node->ns->href) : std::u16string();
  element.localName = Text(node->name);
  element.line = node->line;
  for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
    if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
      element.text += Text(child->content);
    } else if (child->type == XML_ELEMENT_NODE) {
      element.children.emplace_back();
      Describe(child, element.children.back());
    }
  }
}

static bool IsValid(const Libxml2& xml, xmlDocPtr document, ProfileProblem* problem) {
  xmlSchemaPtr schema = ProfileSchema(xml);
  if (schema == nullptr) return false;
  xmlSchemaValidCtxtPtr validator = xml.schemaNewValidCtxt(schema);
  if (validator == nullptr) return false;
  xml.schemaSetValidStructuredErrors(validator, KeepFirstProblem, problem);
  const bool valid = xml.schemaValidateDoc(validator, document) == 0;
  xml.schemaFreeValidCtxt(validator);
  return valid;
}

ProfileParse ReadProfileDocument(const std::u16string& text, ProfileElement& root, ProfileProblem* problem) {
  root = ProfileElement();
  if (problem != nullptr) *problem = ProfileProblem();
  const Libxml2* xml = Libxml2Library();
  if (xml == nullptr) return kProfileNotWellFormed;  // no parser: nothing can be taken
  const std::string utf8 = Utf16ToUtf8(text);
  if (utf8.size() > static_cast<size_t>(INT_MAX)) return kProfileNotWellFormed;
  xmlParserCtxtPtr parser = xml->newParserCtxt();
  if (parser == nullptr) return kProfileNotWellFormed;
  ReadingState reading;
  reading.problem = problem;
  parser->_private = &reading;
  parser->sax->internalSubset = RefuseDocumentType;
  // The parser reports its errors to the process-wide handler, here for this text only.
  xml->setStructuredErrorFunc(problem, KeepFirstProblem);
  xmlDocPtr document =
      xml->ctxtReadMemory(parser, utf8.data(), static_cast<int>(utf8.size()), nullptr, "UTF-8", kParseOptions);
  xml->setStructuredErrorFunc(nullptr, IgnoreError);
  // Namespaces are part of being well-formed: MSXML refuses an undeclared prefix outright.
  const bool wellFormed = document != nullptr && !reading.documentType && parser->wellFormed && parser->nsWellFormed;
  xml->freeParserCtxt(parser);
  const xmlNode* top = document ? xml->docGetRootElement(document) : nullptr;
  if (!wellFormed || top == nullptr) {
    xml->freeDoc(document);
    return kProfileNotWellFormed;
  }
  Describe(top, root);
  const bool valid = IsValid(*xml, document, problem);
  xml->freeDoc(document);
  return valid ? kProfileSchemaValid : kProfileSchemaInvalid;
}

ProfileParse ReadProfileDocument(const std::u16string& text, ProfileElement& root) {
  return ReadProfileDocument(text, root, nullptr);
}

}  // namespace standin
