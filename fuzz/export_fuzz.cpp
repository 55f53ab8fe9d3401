// -export's file names and file texts from any UTF-16 a profile list or WlanGetProfile may give.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "text/code_page.h"
#include "text/exact_ansi.h"
#include "wlan/export_name.h"
#include "wlan/export_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 16) return 0;
  WideString text(size / 2, 0);
  if (!text.empty()) memcpy(&text[0], data, text.size() * sizeof(WCHAR));
  text.resize(std::min(text.size(), text.find(WCHAR(0))));  // the platform's texts end at their NUL
  AnsiCharacters known;
  // A safe name: held exactly by the code page, no separator or wildcard, no trailing dot or
  // blank, never empty, never longer than its bound.
  const WideString base = SafeFileBase(text.substr(0, 300), known);
  std::string bytes;
  if (base.empty() || base.size() > 100 || !ToAnsiExactly(base, bytes)) __builtin_trap();
  if (base.find_first_of(WTEXT("\\/:*?\"<>|")) != WideString::npos) __builtin_trap();
  if (base.back() == '.' || base.back() == ' ') __builtin_trap();
  for (WCHAR unit : base)
    if (unit < 0x20) __builtin_trap();
  // A text the file can hold is written in the code page, with CR LF line ends only.
  if (ExportFileText(text, known, bytes)) {
    std::string back;
    if (!ToAnsiExactly(ToWide(bytes), back) || back != bytes) __builtin_trap();
    for (size_t i = 0; i < bytes.size(); ++i)
      if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) __builtin_trap();
  }
  return 0;
}
