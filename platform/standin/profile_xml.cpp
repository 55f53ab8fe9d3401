// Just enough XML reading to find a profile's name; the rest of the profile is not checked.
#include "platform/standin/profile_xml.h"

#include <cstdlib>

#include "platform/standin/unicode.h"

namespace standin {

static bool StartsWith(const std::string& text, size_t pos, const char* prefix) {
  return text.compare(pos, std::char_traits<char>::length(prefix), prefix) == 0;
}

static bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Skips from pos past the first occurrence of terminator; npos when it never comes.
static size_t SkipPast(const std::string& text, size_t pos, const char* terminator) {
  const size_t found = text.find(terminator, pos);
  return found == std::string::npos ? found : found + std::char_traits<char>::length(terminator);
}

// The end of the tag that opens at pos (just past its '>'), quoted attribute values skipped.
static size_t TagEnd(const std::string& text, size_t pos) {
  char quote = 0;
  for (size_t i = pos; i < text.size(); ++i) {
    if (quote != 0) {
      if (text[i] == quote) quote = 0;
    } else if (text[i] == '"' || text[i] == '\'') {
      quote = text[i];
    } else if (text[i] == '>') {
      return i + 1;
    }
  }
  return std::string::npos;
}

static std::string TagName(const std::string& text, size_t pos) {
  size_t end = pos;
  while (end < text.size() && !IsSpace(text[end]) && text[end] != '>' && text[end] != '/') ++end;
  return text.substr(pos, end - pos);
}

static bool DecodeEntities(const std::string& raw, std::string& out) {
  out.clear();
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '&') {
      out.push_back(raw[i]);
      continue;
    }
    const size_t semicolon = raw.find(';', i);
    if (semicolon == std::string::npos) return false;
    const std::string entity = raw.substr(i + 1, semicolon - i - 1);
    if (entity == "lt") out.push_back('<');
    else if (entity == "gt") out.push_back('>');
    else if (entity == "amp") out.push_back('&');
    else if (entity == "quot") out.push_back('"');
    else if (entity == "apos") out.push_back('\'');
    else if (entity.size() > 1 && entity[0] == '#') {
      const bool hex = entity[1] == 'x';
      const std::string digits = entity.substr(hex ? 2 : 1);
      if (digits.empty() || digits.size() > 8) return false;
      char* end = nullptr;
      const unsigned long cp = strtoul(digits.c_str(), &end, hex ? 16 : 10);
      if (*end != '\0' || cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
      AppendUtf8(out, static_cast<char32_t>(cp));
    } else {
      return false;
    }
    i = semicolon;
  }
  return true;
}

// Past the declaration, processing instructions, comments and a document type.
static size_t SkipProlog(const std::string& xml) {
  size_t pos = 0;
  while (pos != std::string::npos) {
    while (pos < xml.size() && IsSpace(xml[pos])) ++pos;
    if (StartsWith(xml, pos, "<?")) pos = SkipPast(xml, pos, "?>");
    else if (StartsWith(xml, pos, "<!--")) pos = SkipPast(xml, pos, "-->");
    else if (StartsWith(xml, pos, "<!")) pos = TagEnd(xml, pos);
    else break;
  }
  return pos;
}

bool ProfileNameFromXml(const std::string& xml, std::string& name) {
  size_t pos = SkipProlog(xml);
  if (pos == std::string::npos || !StartsWith(xml, pos, "<") || TagName(xml, pos + 1) != "WLANProfile") return false;
  pos = TagEnd(xml, pos);
  if (pos == std::string::npos || xml[pos - 2] == '/') return false;
  int depth = 1;
  while (pos != std::string::npos) {
    pos = xml.find('<', pos);
    if (pos == std::string::npos) return false;
    if (StartsWith(xml, pos, "<!--")) {
      pos = SkipPast(xml, pos, "-->");
    } else if (StartsWith(xml, pos, "<![CDATA[")) {
      pos = SkipPast(xml, pos, "]]>");
    } else if (StartsWith(xml, pos, "<?")) {
      pos = SkipPast(xml, pos, "?>");
    } else if (StartsWith(xml, pos, "</")) {
      if (--depth == 0) return false;  // the root closed without a name
      pos = TagEnd(xml, pos);
    } else {
      const std::string tag = TagName(xml, pos + 1);
      const size_t end = TagEnd(xml, pos);
      if (end == std::string::npos) return false;
      const bool selfClosing = xml[end - 2] == '/';
      if (depth == 1 && tag == "name" && !selfClosing) {
        const size_t close = xml.find('<', end);
        if (close == std::string::npos || !StartsWith(xml, close, "</name")) return false;
        return DecodeEntities(xml.substr(end, close - end), name) && !name.empty();
      }
      if (!selfClosing) ++depth;
      pos = end;
    }
  }
  return false;
}

}  // namespace standin
