// Reading a profile file of any bytes and converting it for the platform.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "text/code_page.h"
#include "wlan/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/tessamin-fuzz-profile-" + std::to_string(getpid()) + ".xml";
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  fwrite(data, 1, size, file);
  fclose(file);
  std::string text = "unchanged";
  if (LoadProfileXml(path, text) != 0) __builtin_trap();
  if (!text.empty() && text.back() != '>') __builtin_trap();
  if (text.find('\0') != std::string::npos) __builtin_trap();
  if (text.size() > size) __builtin_trap();
  const WideString wide = ToWide(text);
  if (wide.size() > text.size()) __builtin_trap();
  return 0;
}
