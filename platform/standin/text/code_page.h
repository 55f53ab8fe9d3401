// Conversions between a code page's bytes and UTF-16 as the platform's MultiByteToWideChar
// and WideCharToMultiByte make them: UTF-8 (65001), and each code page of kAnsiCodePages
// from its table (code_pages/), which is unpacked at its first use.
#pragma once

#include <cstddef>
#include <string>

#include "platform/platform.h"
#include "platform/standin/text/code_page_table.h"

namespace standin {

// The bytes as UTF-16. invalidSeen is set when MB_ERR_INVALID_CHARS would refuse them.
std::u16string DecodeBytes(UINT codePage, const char* bytes, size_t count, bool* invalidSeen = nullptr);

struct EncodedText {
  std::string bytes;
  bool usedDefault = false;  // a unit without a character became the default character
  bool truncated = false;    // the next character did not fit into the limit
};
// The units in the code page, a whole character at a time while it fits into limit bytes.
// defaultChar: what a unit without a character becomes (null: '?'; in a code page with lead
// bytes its first two bytes, when the second is not NUL).
EncodedText EncodeUnits(UINT codePage, const char16_t* units, size_t count, const char* defaultChar, size_t limit);

}  // namespace standin
