// Text conversions of the stand-in: UTF-8 and Windows-1252 to and from UTF-16, each with
// the platform's handling of what can't be converted.
#pragma once

#include <cstddef>
#include <string>

namespace standin {

// Invalid sequences become U+FFFD, one per maximal invalid subpart. invalidSeen reports them.
std::u16string Utf8ToUtf16(const char* bytes, size_t count, bool* invalidSeen = nullptr);
// Lone surrogates become U+FFFD.
std::string Utf16ToUtf8(const char16_t* units, size_t count);
std::string Utf16ToUtf8(const std::u16string& text);
std::u16string Utf8ToUtf16(const std::string& text);
void AppendUtf8(std::string& out, char32_t codePoint);

char16_t Cp1252ToUnit(unsigned char byte);
// False when the code page has no byte for the unit.
bool UnitToCp1252(char16_t unit, unsigned char& byte);

}  // namespace standin
