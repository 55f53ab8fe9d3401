// A small scan of a stored profile's text, enough to find its name element: stored texts have
// passed the profile checks, so they are well-formed; one that is not is given back as it is.
#include "platform/standin/profiles/profile_text.h"

namespace standin {

static const size_t kNone = std::u16string::npos;

static bool StartsWith(const std::u16string& text, size_t at, const char16_t* prefix) {
  return text.compare(at, std::char_traits<char16_t>::length(prefix), prefix) == 0;
}

// Past the comments, processing instructions, document type and blanks at this place.
static size_t SkipMarkup(const std::u16string& text, size_t at) {
  for (;;) {
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t' || text[at] == u'\r' || text[at] == u'\n')) ++at;
    size_t end = kNone;
    if (StartsWith(text, at, u"<!--")) end = text.find(u"-->", at + 4), end = end == kNone ? kNone : end + 3;
    else if (StartsWith(text, at, u"<?")) end = text.find(u"?>", at + 2), end = end == kNone ? kNone : end + 2;
    else if (StartsWith(text, at, u"<!")) end = text.find(u'>', at + 2), end = end == kNone ? kNone : end + 1;
    else return at;
    if (end == kNone) return kNone;
    at = end;
  }
}

// The end of the start tag that begins at `at` (just past its >), quoted values skipped.
static size_t TagEnd(const std::u16string& text, size_t at) {
  char16_t quote = 0;
  for (; at < text.size(); ++at) {
    if (quote != 0) {
      if (text[at] == quote) quote = 0;
    } else if (text[at] == u'"' || text[at] == u'\'') {
      quote = text[at];
    } else if (text[at] == u'>') {
      return at + 1;
    }
  }
  return kNone;
}

static std::u16string QualifiedName(const std::u16string& text, size_t at) {
  size_t end = at + 1;
  while (end < text.size() && std::u16string(u" \t\r\n/>").find(text[end]) == kNone) ++end;
  return text.substr(at + 1, end - at - 1);
}

// The name as element content: what XML can't hold at all (control characters, which an SSID
// given as hex may have) is left out; the name element is not used when the text is stored.
static std::u16string Escaped(const std::u16string& name) {
  std::u16string escaped;
  for (char16_t unit : name) {
    if (unit < 0x20 && unit != u'\t' && unit != u'\n' && unit != u'\r') continue;
    if (unit == u'&') escaped += u"&amp;";
    else if (unit == u'<') escaped += u"&lt;";
    else if (unit == u'>') escaped += u"&gt;";
    else escaped += unit;
  }
  return escaped;
}

std::u16string WithStoredName(const std::u16string& text, const std::u16string& storedName) {
  const size_t root = SkipMarkup(text, 0);
  if (root == kNone || root >= text.size() || text[root] != u'<') return text;
  const size_t rootEnd = TagEnd(text, root);
  if (rootEnd == kNone || text[rootEnd - 2] == u'/') return text;  // no children
  const size_t child = SkipMarkup(text, rootEnd);
  if (child == kNone || child >= text.size() || text[child] != u'<') return text;
  const std::u16string name = QualifiedName(text, child);
  const size_t colon = name.find(u':');
  if ((colon == kNone ? name : name.substr(colon + 1)) != u"name") return text;
  const size_t childEnd = TagEnd(text, child);
  if (childEnd == kNone) return text;
  if (text[childEnd - 2] == u'/')  // <name/>: the start tag kept, the content and end tag added
    return text.substr(0, childEnd - 2) + u">" + Escaped(storedName) + u"</" + name + u">" + text.substr(childEnd);
  const size_t close = text.find(u"</" + name, childEnd);
  const size_t closeEnd = close == kNone ? kNone : text.find(u'>', close);
  if (closeEnd == kNone) return text;
  return text.substr(0, childEnd) + Escaped(storedName) + text.substr(close);
}

}  // namespace standin
