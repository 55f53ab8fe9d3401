#include "platform/standin/text/unicode.h"

#include <cstring>

namespace standin {

static const char16_t kReplacement = 0xFFFD;

void CopyUtf16(const std::u16string& text, WCHAR* target, size_t room) {
  if (room == 0) return;
  const size_t count = text.size() < room ? text.size() : room - 1;
  memcpy(target, text.data(), count * sizeof(char16_t));
  target[count] = 0;
}

static void AppendCodePoint(std::u16string& out, char32_t cp) {
  if (cp >= 0x10000) {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(cp));
  }
}

std::u16string Utf8ToUtf16(const char* bytes, size_t count, bool* invalidSeen) {
  std::u16string out;
  out.reserve(count);
  const unsigned char* s = reinterpret_cast<const unsigned char*>(bytes);
  size_t i = 0;
  while (i < count) {
    const unsigned char lead = s[i];
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    int length = 0;
    char32_t cp = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      cp = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;  // no encoded surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      cp = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    }
    if (length == 0) {
      out.push_back(kReplacement);
      if (invalidSeen) *invalidSeen = true;
      ++i;
      continue;
    }
    size_t next = i + 1;
    bool complete = true;
    for (int k = 1; k < length; ++k, ++next) {
      const unsigned char lower = (k == 1) ? low : 0x80;
      const unsigned char upper = (k == 1) ? high : 0xBF;
      if (next >= count || s[next] < lower || s[next] > upper) {
        complete = false;
        break;
      }
      cp = (cp << 6) | (s[next] & 0x3F);
    }
    if (!complete) {
      out.push_back(kReplacement);
      if (invalidSeen) *invalidSeen = true;
      i = next;  // the maximal subpart is replaced once
      continue;
    }
    AppendCodePoint(out, cp);
    i = next;
  }
  return out;
}

std::u16string Utf8ToUtf16(const std::string& text) {
  return Utf8ToUtf16(text.data(), text.size());
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string Utf16ToUtf8(const char16_t* units, size_t count) {
  std::string out;
  out.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const char16_t unit = units[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

std::string Utf16ToUtf8(const std::u16string& text) {
  return Utf16ToUtf8(text.data(), text.size());
}

}  // namespace standin
