#include "wzc/interface_key.h"

#include <cstdio>
#include <string>

#include "text/code_page.h"

WideString InterfaceKeyPath(const GUID& guid) {
  char text[39];
  snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned>(guid.Data1),
           static_cast<unsigned>(guid.Data2), static_cast<unsigned>(guid.Data3), guid.Data4[0], guid.Data4[1],
           guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return ToWide(std::string("SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\") + text);
}

REGSAM InterfaceKeyAccess(REGSAM access) {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64 ? access | KEY_WOW64_64KEY : access;
}
