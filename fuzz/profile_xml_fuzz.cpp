// How the stand-in finds a profile's name in any text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/standin/profile_xml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string xml(reinterpret_cast<const char*>(data), size);
  std::string name;
  if (standin::ProfileNameFromXml(xml, name) && name.empty()) __builtin_trap();
  return 0;
}
