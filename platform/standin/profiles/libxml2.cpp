#include "platform/standin/profiles/libxml2.h"

#include <dlfcn.h>

#include <cstdio>

namespace standin {

template <typename Function>
static bool Find(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

static bool Load(Libxml2& xml) {
  // By its soname, the one the build was made against (LIBXML2_SONAME, set by CMake).
  void* library = dlopen(LIBXML2_SONAME, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    fprintf(stderr, "tessamin: %s cannot be loaded: %s\n", LIBXML2_SONAME, dlerror());
    return false;
  }
  decltype(&xmlInitParser) initParser = nullptr;
  const bool found =
      Find(library, "xmlInitParser", initParser) &&
      Find(library, "xmlSetStructuredErrorFunc", xml.setStructuredErrorFunc) &&
      Find(library, "xmlNewParserCtxt", xml.newParserCtxt) && Find(library, "xmlCtxtReadMemory", xml.ctxtReadMemory) &&
      Find(library, "xmlStopParser", xml.stopParser) && Find(library, "xmlFreeParserCtxt", xml.freeParserCtxt) &&
      Find(library, "xmlDocGetRootElement", xml.docGetRootElement) && Find(library, "xmlFreeDoc", xml.freeDoc) &&
      Find(library, "xmlSchemaNewMemParserCtxt", xml.schemaNewMemParserCtxt) &&
      Find(library, "xmlSchemaSetParserStructuredErrors", xml.schemaSetParserStructuredErrors) &&
      Find(library, "xmlSchemaParse", xml.schemaParse) &&
      Find(library, "xmlSchemaFreeParserCtxt", xml.schemaFreeParserCtxt) &&
      Find(library, "xmlSchemaNewValidCtxt", xml.schemaNewValidCtxt) &&
      Find(library, "xmlSchemaSetValidStructuredErrors", xml.schemaSetValidStructuredErrors) &&
      Find(library, "xmlSchemaValidateDoc", xml.schemaValidateDoc) &&
      Find(library, "xmlSchemaFreeValidCtxt", xml.schemaFreeValidCtxt);
  if (!found) {
    fprintf(stderr, "tessamin: %s lacks a function: %s\n", LIBXML2_SONAME, dlerror());
    return false;
  }
  initParser();
  return true;
}

const Libxml2* Libxml2Library() {
  static Libxml2 xml;
  static const bool loaded = Load(xml);
  return loaded ? &xml : nullptr;
}

}  // namespace standin
