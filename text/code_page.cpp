#include "text/code_page.h"

#include <climits>
#include <new>

// Each conversion is sized by the platform first; a result that can't be had is empty, so
// that no text, however long, ends the process.

WideString ToWide(const std::string& text) {
  if (text.size() >= static_cast<size_t>(INT_MAX)) return WideString();
  const int byteCount = static_cast<int>(text.size()) + 1;
  const int needed = MultiByteToWideChar(CP_ACP, 0, text.c_str(), byteCount, nullptr, 0);
  if (needed <= 0) return WideString();
  try {
    WideString wide(static_cast<size_t>(needed), 0);
    if (MultiByteToWideChar(CP_ACP, 0, text.c_str(), byteCount, &wide[0], needed) <= 0) return WideString();
    const size_t end = wide.find(static_cast<WCHAR>(0));  // the text ends at its first NUL
    if (end != WideString::npos) wide.resize(end);
    return wide;
  } catch (const std::bad_alloc&) {
    return WideString();
  }
}

std::string ToAnsi(const WCHAR* text, size_t maxUnits) {
  size_t length = 0;
  while (length < maxUnits && text[length] != 0) ++length;
  if (length == 0 || length >= static_cast<size_t>(INT_MAX)) return std::string();
  const int unitCount = static_cast<int>(length);
  const int needed = WideCharToMultiByte(CP_ACP, 0, text, unitCount, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return std::string();
  try {
    std::string bytes(static_cast<size_t>(needed), '\0');
    const int written = WideCharToMultiByte(CP_ACP, 0, text, unitCount, &bytes[0], needed, nullptr, nullptr);
    if (written <= 0) return std::string();
    bytes.resize(static_cast<size_t>(written));
    return bytes;
  } catch (const std::bad_alloc&) {
    return std::string();
  }
}
