// Reads profiles with libxml2: no network, no external or internal document type, the
// parser's own size and depth limits kept.
#include <climits>
#include <cstring>

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlschemas.h>

#include "platform/standin/profiles/profile_document.h"
#include "platform/standin/text/unicode.h"

namespace standin {

static const int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_IGNORE_ENC;

static void IgnoreError(void*, xmlErrorPtr) {}

// MSXML 6 prohibits document types by default; stopping at one also keeps entity
// declarations, and whatever they would expand to, out of the document.
static void RefuseDocumentType(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
  xmlParserCtxtPtr parser = static_cast<xmlParserCtxtPtr>(context);
  *static_cast<bool*>(parser->_private) = true;
  xmlStopParser(parser);
}

// Compiled once per process: every profile is checked against the same schema.
static xmlSchemaPtr ProfileSchema() {
  static xmlSchemaPtr schema = [] {
    xmlSchemaParserCtxtPtr parser = xmlSchemaNewMemParserCtxt(kProfileSchema, static_cast<int>(strlen(kProfileSchema)));
    if (parser == nullptr) return static_cast<xmlSchemaPtr>(nullptr);
    xmlSchemaSetParserStructuredErrors(parser, IgnoreError, nullptr);
    xmlSchemaPtr compiled = xmlSchemaParse(parser);
    xmlSchemaFreeParserCtxt(parser);
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
  for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
    if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
      element.text += Text(child->content);
    } else if (child->type == XML_ELEMENT_NODE) {
      element.children.emplace_back();
      Describe(child, element.children.back());
    }
  }
}

static bool IsValid(xmlDocPtr document) {
  xmlSchemaPtr schema = ProfileSchema();
  if (schema == nullptr) return false;
  xmlSchemaValidCtxtPtr validator = xmlSchemaNewValidCtxt(schema);
  if (validator == nullptr) return false;
  xmlSchemaSetValidStructuredErrors(validator, IgnoreError, nullptr);
  const bool valid = xmlSchemaValidateDoc(validator, document) == 0;
  xmlSchemaFreeValidCtxt(validator);
  return valid;
}

ProfileParse ReadProfileDocument(const std::u16string& text, ProfileElement& root) {
  static const bool initialised = [] {
    xmlInitParser();
    xmlSetStructuredErrorFunc(nullptr, IgnoreError);
    return true;
  }();
  (void)initialised;
  root = ProfileElement();
  const std::string utf8 = Utf16ToUtf8(text);
  if (utf8.size() > static_cast<size_t>(INT_MAX)) return kProfileNotWellFormed;
  xmlParserCtxtPtr parser = xmlNewParserCtxt();
  if (parser == nullptr) return kProfileNotWellFormed;
  bool documentType = false;
  parser->_private = &documentType;
  parser->sax->internalSubset = RefuseDocumentType;
  xmlDocPtr document =
      xmlCtxtReadMemory(parser, utf8.data(), static_cast<int>(utf8.size()), nullptr, "UTF-8", kParseOptions);
  const bool wellFormed = document != nullptr && !documentType && parser->wellFormed;
  xmlFreeParserCtxt(parser);
  const xmlNode* top = document ? xmlDocGetRootElement(document) : nullptr;
  if (!wellFormed || top == nullptr) {
    xmlFreeDoc(document);
    return kProfileNotWellFormed;
  }
  Describe(top, root);
  const bool valid = IsValid(document);
  xmlFreeDoc(document);
  return valid ? kProfileSchemaValid : kProfileSchemaInvalid;
}

}  // namespace standin
