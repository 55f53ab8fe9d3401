// Reads profiles with MSXML 6 through COM, as XP's wireless LAN API does: the same profile
// schema in a schema cache, document types refused, nothing fetched from outside the text.
#include <msxml2.h>
#include <objbase.h>
#include <windows.h>

#include "platform/standin/profiles/profile_document.h"
#include "platform/standin/text/unicode.h"

namespace standin {

static const CLSID kDomDocument60 = {0x88d96a05, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
static const CLSID kSchemaCache60 = {0x88d96a07, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
static const IID kDocumentInterface = {0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};
static const IID kSchemaCollectionInterface = {
    0x373984c8, 0xb845, 0x449b, {0x91, 0xe7, 0x45, 0xac, 0x83, 0x03, 0x6a, 0xde}};
static const wchar_t kProfileNamespace[] = L"http://www.microsoft.com/networking/WLAN/profile/v1";

// Releases a COM interface when it goes out of scope.
template <class T>
struct Held {
  T* pointer = nullptr;
  ~Held() {
    if (pointer != nullptr) pointer->Release();
  }
  T** out() {
    return &pointer;
  }
  T* operator->() const {
    return pointer;
  }
};

struct HeldString {
  BSTR text = nullptr;
  ~HeldString() {
    SysFreeString(text);
  }
};

static BSTR NewString(const std::u16string& text) {
  return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
}

static std::u16string TextOf(BSTR text) {
  return text ? std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text)) : std::u16string();
}

static bool NewDocument(Held<IXMLDOMDocument2>& document) {
  if (FAILED(CoCreateInstance(kDomDocument60, nullptr, CLSCTX_INPROC_SERVER, kDocumentInterface,
                              reinterpret_cast<void**>(document.out()))))
    return false;
  document->put_async(VARIANT_FALSE);
  document->put_validateOnParse(VARIANT_FALSE);
  document->put_resolveExternals(VARIANT_FALSE);
  document->put_preserveWhiteSpace(VARIANT_TRUE);  // character data as written, as libxml2 gives it
  VARIANT prohibit;
  VariantInit(&prohibit);
  prohibit.vt = VT_BOOL;
  prohibit.boolVal = VARIANT_TRUE;
  HeldString name{SysAllocString(L"ProhibitDTD")};
  document->setProperty(name.text, prohibit);
  return true;
}

// Well-formed, and without a document type.
static bool Load(IXMLDOMDocument2* document, const std::u16string& text) {
  HeldString source{NewString(text)};
  VARIANT_BOOL loaded = VARIANT_FALSE;
  if (source.text == nullptr || FAILED(document->loadXML(source.text, &loaded)) || loaded != VARIANT_TRUE) return false;
  Held<IXMLDOMDocumentType> documentType;
  return document->get_doctype(documentType.out()) != S_OK || documentType.pointer == nullptr;
}

static void Describe(IXMLDOMNode* node, ProfileElement& element) {
  HeldString uri, name;
  node->get_namespaceURI(&uri.text);
  node->get_baseName(&name.text);
  element.namespaceUri = TextOf(uri.text);
  element.localName = TextOf(name.text);
  Held<IXMLDOMNode> child;
  node->get_firstChild(child.out());
  while (child.pointer != nullptr) {
    DOMNodeType type = NODE_INVALID;
    child->get_nodeType(&type);
    if (type == NODE_TEXT || type == NODE_CDATA_SECTION) {
      HeldString text;
      child->get_text(&text.text);
      element.text += TextOf(text.text);
    } else if (type == NODE_ELEMENT) {
      element.children.emplace_back();
      Describe(child.pointer, element.children.back());
    }
    Held<IXMLDOMNode> next;
    child->get_nextSibling(next.out());
    std::swap(child.pointer, next.pointer);
  }
}

static bool IsValid(IXMLDOMDocument2* document) {
  Held<IXMLDOMDocument2> schemaText;
  Held<IXMLDOMSchemaCollection> cache;
  if (!NewDocument(schemaText) || !Load(schemaText.pointer, Utf8ToUtf16(kProfileSchema))) return false;
  if (FAILED(CoCreateInstance(kSchemaCache60, nullptr, CLSCTX_INPROC_SERVER, kSchemaCollectionInterface,
                              reinterpret_cast<void**>(cache.out()))))
    return false;
  VARIANT schema;
  VariantInit(&schema);
  schema.vt = VT_DISPATCH;
  schema.pdispVal = schemaText.pointer;
  HeldString uri{SysAllocString(kProfileNamespace)};
  if (FAILED(cache->add(uri.text, schema))) return false;
  VARIANT schemas;
  VariantInit(&schemas);
  schemas.vt = VT_DISPATCH;
  schemas.pdispVal = cache.pointer;
  if (FAILED(document->putref_schemas(schemas))) return false;
  Held<IXMLDOMParseError> error;
  return document->validate(error.out()) == S_OK;
}

static ProfileParse ReadWithCom(const std::u16string& text, ProfileElement& root) {
  Held<IXMLDOMDocument2> document;
  if (!NewDocument(document) || !Load(document.pointer, text)) return kProfileNotWellFormed;
  Held<IXMLDOMElement> top;
  if (document->get_documentElement(top.out()) != S_OK || top.pointer == nullptr) return kProfileNotWellFormed;
  Describe(top.pointer, root);
  return IsValid(document.pointer) ? kProfileSchemaValid : kProfileSchemaInvalid;
}

ProfileParse ReadProfileDocument(const std::u16string& text, ProfileElement& root) {
  root = ProfileElement();
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const ProfileParse result = ReadWithCom(text, root);
  if (SUCCEEDED(com)) CoUninitialize();
  return result;
}

}  // namespace standin
