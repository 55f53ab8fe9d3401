// The ASCII rules the platform applies whatever the code page: hex digits, and letter case
// in the names it compares without regard to it (registry keys and values, services).
#pragma once

#include <string>

namespace standin {

// 0 to 15 for a hex digit of either letter case, -1 for anything else.
inline int HexDigitValue(char32_t c) {
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
  return -1;
}

// The bytes that the pairs of hex digits spell; false, with bytes unspecified, for an odd
// number of digits or anything that is not one.
template <class Text>
bool DecodeHex(const Text& digits, std::string& bytes) {
  if (digits.size() % 2 != 0) return false;
  bytes.clear();
  for (size_t i = 0; i < digits.size(); i += 2) {
    const int high = HexDigitValue(digits[i]), low = HexDigitValue(digits[i + 1]);
    if (high < 0 || low < 0) return false;
    bytes.push_back(static_cast<char>(high * 16 + low));
  }
  return true;
}

// A to Z as a to z, every other byte as it is.
inline char FoldAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

}  // namespace standin
