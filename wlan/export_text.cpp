#include "wlan/export_text.h"

#include <cstdio>

namespace {

// Where a character stands in the XML text: a reference means the character only in content
// and attribute values; a CDATA section is closed around it; in markup that is no data
// (comments, processing instructions) it is written as a reference all the same.
enum Place { kContent, kTag, kValue, kComment, kCdata, kInstruction, kDeclaration };

bool StartsWith(const WideString& text, size_t at, const char* ascii) {
  for (; *ascii != '\0'; ++ascii, ++at)
    if (at >= text.size() || text[at] != static_cast<WCHAR>(*ascii)) return false;
  return true;
}

bool EndsWith(const WideString& text, size_t end, const char* ascii) {
  const size_t length = std::char_traits<char>::length(ascii);
  return end + 1 >= length && StartsWith(text, end + 1 - length, ascii);
}

// What a < in content begins.
Place Opening(const WideString& text, size_t at) {
  if (StartsWith(text, at, "<!--")) return kComment;
  if (StartsWith(text, at, "<![CDATA[")) return kCdata;
  if (StartsWith(text, at, "<?")) return kInstruction;
  if (StartsWith(text, at, "<!")) return kDeclaration;  // a document type: XP takes none
  return kTag;
}

// The place after the character at `at`, which stands in `place`.
Place After(const WideString& text, size_t at, Place place, WCHAR& quote) {
  const WCHAR unit = text[at];
  switch (place) {
    case kTag:
      if (unit == '"' || unit == '\'') quote = unit;
      return unit == '>' ? kContent : unit == '"' || unit == '\'' ? kValue : kTag;
    case kValue: return unit == quote ? kTag : kValue;
    case kComment: return EndsWith(text, at, "-->") ? kContent : kComment;
    case kCdata: return EndsWith(text, at, "]]>") ? kContent : kCdata;
    case kInstruction: return EndsWith(text, at, "?>") ? kContent : kInstruction;
    case kDeclaration: return unit == '>' ? kContent : kDeclaration;
    default: return kContent;
  }
}

std::string Reference(const WideString& text, size_t at, size_t count) {
  unsigned long codePoint = text[at];
  if (count == 2) codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (text[at + 1] - 0xDC00);
  char reference[16];
  snprintf(reference, sizeof reference, "&#x%lX;", codePoint);
  return reference;
}

// The declaration without its encoding: the bytes are in the ANSI code page, whatever it said.
void DropDeclaredEncoding(WideString& text) {
  if (!StartsWith(text, 0, "<?xml ")) return;
  const size_t end = text.find(WTEXT("?>"));
  const size_t encoding = text.find(WTEXT("encoding"));
  if (end == WideString::npos || encoding >= end) return;
  const size_t open = text.find_first_of(WTEXT("\"'"), encoding);
  const size_t close = open < end ? text.find(text[open], open + 1) : WideString::npos;
  if (close >= end) return;
  size_t start = encoding;
  while (start > 5 && (text[start - 1] == ' ' || text[start - 1] == '\t')) --start;
  text.erase(start, close + 1 - start);
}

}  // namespace

bool ExportFileText(const WideString& profileText, AnsiCharacters& known, std::string& bytes) {
  WideString text;
  for (size_t i = profileText.size() > 0 && profileText[0] == 0xFEFF ? 1 : 0; i < profileText.size(); ++i) {
    if (profileText[i] == '\n' && (i == 0 || profileText[i - 1] != '\r')) text += '\r';
    text += profileText[i];
  }
  if (!text.empty() && text.back() != '\n') text += WTEXT("\r\n");  // a text file's last line ends too
  DropDeclaredEncoding(text);
  if (ToAnsiExactly(text, bytes)) return true;
  bytes.clear();
  Place place = kContent;
  WCHAR quote = 0;
  for (size_t at = 0, count = 1; at < text.size(); at += count) {
    if (place == kContent && text[at] == '<') place = Opening(text, at);
    const std::string character = CharacterInAnsi(text, at, count, known);
    if (!character.empty()) {
      bytes += character;
    } else if (count == 1 && (IsHighSurrogate(text[at]) || IsLowSurrogate(text[at]))) {
      return false;  // half a character: no reference stands for it
    } else if (place == kContent || place == kValue || place == kComment || place == kInstruction) {
      bytes += Reference(text, at, count);
    } else if (place == kCdata) {
      bytes += "]]>" + Reference(text, at, count) + "<![CDATA[";
    } else {
      return false;  // a name, or a document type
    }
    place = After(text, at + count - 1, place, quote);
  }
  return true;
}
