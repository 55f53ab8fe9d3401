// UTF-8 to and from UTF-16, with the platform's handling of what can't be converted.
#pragma once

#include <cstddef>
#include <string>

#include "platform/platform.h"

namespace standin {

// Invalid sequences become U+FFFD, one per maximal invalid subpart. invalidSeen reports them.
std::u16string Utf8ToUtf16(const char* bytes, size_t count, bool* invalidSeen = nullptr);
// Lone surrogates become U+FFFD.
std::string Utf16ToUtf8(const char16_t* units, size_t count);
std::string Utf16ToUtf8(const std::u16string& text);
std::u16string Utf8ToUtf16(const std::string& text);
void AppendUtf8(std::string& out, char32_t codePoint);

// The platform's UTF-16 text (wchar_t on Windows, char16_t elsewhere) as a u16string.
inline std::u16string Utf16Text(const WCHAR* text) {
  return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}
// Copies at most room - 1 units and a terminator into the platform's buffer.
void CopyUtf16(const std::u16string& text, WCHAR* target, size_t room);

}  // namespace standin
