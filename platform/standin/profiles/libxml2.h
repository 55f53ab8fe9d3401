// libxml2 as Debian ships it, the shared library, loaded when the first profile is checked:
// the tool's other runs start without it and without the libraries it brings in (ICU among
// them).
#pragma once

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlschemas.h>

namespace standin {

// The libxml2 functions that the profile reader calls.
struct Libxml2 {
  decltype(&xmlSetStructuredErrorFunc) setStructuredErrorFunc;
  decltype(&xmlNewParserCtxt) newParserCtxt;
  decltype(&xmlCtxtReadMemory) ctxtReadMemory;
  decltype(&xmlStopParser) stopParser;
  decltype(&xmlFreeParserCtxt) freeParserCtxt;
  decltype(&xmlDocGetRootElement) docGetRootElement;
  decltype(&xmlFreeDoc) freeDoc;
  decltype(&xmlSchemaNewMemParserCtxt) schemaNewMemParserCtxt;
  decltype(&xmlSchemaSetParserStructuredErrors) schemaSetParserStructuredErrors;
  decltype(&xmlSchemaParse) schemaParse;
  decltype(&xmlSchemaFreeParserCtxt) schemaFreeParserCtxt;
  decltype(&xmlSchemaNewValidCtxt) schemaNewValidCtxt;
  decltype(&xmlSchemaSetValidStructuredErrors) schemaSetValidStructuredErrors;
  decltype(&xmlSchemaValidateDoc) schemaValidateDoc;
  decltype(&xmlSchemaFreeValidCtxt) schemaFreeValidCtxt;
};

// Loaded and initialised once per process; null when it can't be, after one line on
// standard error saying why.
const Libxml2* Libxml2Library();

}  // namespace standin
