#include "text/exact_ansi.h"

#include "text/code_page.h"

bool ToAnsiExactly(const WideString& text, std::string& bytes) {
  bytes = ToAnsi(text.c_str(), text.size());
  return ToWide(bytes) == text;
}

bool IsHighSurrogate(WCHAR unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(WCHAR unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::string CharacterInAnsi(const WideString& text, size_t at, size_t& count, AnsiCharacters& known) {
  count = at + 1 < text.size() && IsHighSurrogate(text[at]) && IsLowSurrogate(text[at + 1]) ? 2 : 1;
  if (text[at] < 0x80) return std::string(1, static_cast<char>(text[at]));  // every ANSI code page holds ASCII
  if (count == 1 && (IsHighSurrogate(text[at]) || IsLowSurrogate(text[at]))) return "";  // half a character
  const WideString character = text.substr(at, count);
  const AnsiCharacters::const_iterator found = known.find(character);
  if (found != known.end()) return found->second;
  std::string bytes;
  if (!ToAnsiExactly(character, bytes)) bytes.clear();
  known[character] = bytes;
  return bytes;
}
