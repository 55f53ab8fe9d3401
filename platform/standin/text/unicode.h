// Text conversions of the stand-in: UTF-8 and Windows-1252 to and from UTF-16, each with
// the platform's handling of what can't be converted.
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

char16_t Cp1252ToUnit(unsigned char byte);
// The byte Windows writes for the unit, its best-fit character included; false when it
// writes the default character instead.
bool UnitToCp1252(char16_t unit, unsigned char& byte);

}  // namespace standin
