// The stand-in's code-page conversions, UTF-8 and every ANSI code page, on arbitrary bytes
// and arbitrary UTF-16, lone surrogates included, with exact and short output buffers.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <vector>

#include "platform/platform.h"
#include "platform/standin/text/code_page_table.h"

static void BytesToWide(UINT codePage, DWORD flags, const char* bytes, int count) {
  const int needed = MultiByteToWideChar(codePage, flags, bytes, count, nullptr, 0);
  if (needed <= 0) return;
  std::vector<WCHAR> wide(static_cast<size_t>(needed) + 1, 0x5A5A);
  if (MultiByteToWideChar(codePage, flags, bytes, count, wide.data(), needed) != needed) __builtin_trap();
  if (wide[static_cast<size_t>(needed)] != 0x5A5A) __builtin_trap();  // nothing past the size given
  if (needed > 1 && MultiByteToWideChar(codePage, flags, bytes, count, wide.data(), needed - 1) != 0) __builtin_trap();
  if (codePage == 1252) {  // every byte has a character and comes back as itself
    std::vector<char> back(static_cast<size_t>(count));
    if (WideCharToMultiByte(1252, 0, wide.data(), needed, back.data(), count, nullptr, nullptr) != count)
      __builtin_trap();
    if (memcmp(back.data(), bytes, static_cast<size_t>(count)) != 0) __builtin_trap();
  }
}

static void WideToBytes(UINT codePage, const WCHAR* wide, int count) {
  const int needed = WideCharToMultiByte(codePage, 0, wide, count, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return;
  std::vector<char> bytes(static_cast<size_t>(needed) + 1, 'Z');
  if (WideCharToMultiByte(codePage, 0, wide, count, bytes.data(), needed, nullptr, nullptr) != needed) __builtin_trap();
  if (bytes[static_cast<size_t>(needed)] != 'Z') __builtin_trap();
  if (needed > 1 && WideCharToMultiByte(codePage, 0, wide, count, bytes.data(), needed - 1, nullptr, nullptr) != 0)
    __builtin_trap();
  if (codePage == CP_UTF8) {  // what UTF-8 holds converts back to the same number of units or fewer
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), needed, nullptr, 0);
    if (units <= 0 || units > count) __builtin_trap();
  }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 1 << 16) return 0;
  const char* bytes = reinterpret_cast<const char*>(data);
  const int count = static_cast<int>(size);
  std::vector<WCHAR> wide(size / 2);
  if (!wide.empty()) memcpy(wide.data(), data, wide.size() * sizeof(WCHAR));
  std::vector<UINT> codePages(std::begin(standin::kAnsiCodePages), std::end(standin::kAnsiCodePages));
  codePages.push_back(CP_UTF8);
  for (UINT codePage : codePages) {
    BytesToWide(codePage, 0, bytes, count);
    BytesToWide(codePage, MB_ERR_INVALID_CHARS, bytes, count);
    if (!wide.empty()) WideToBytes(codePage, wide.data(), static_cast<int>(wide.size()));
  }
  return 0;
}
