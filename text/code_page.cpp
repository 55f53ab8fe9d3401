#include "text/code_page.h"

#include <climits>
#include <vector>

WideString ToWide(const std::string& text) {
  if (text.size() >= static_cast<size_t>(INT_MAX)) return WideString();
  const int byteCount = static_cast<int>(text.size()) + 1;
  const int needed = MultiByteToWideChar(CP_ACP, 0, text.c_str(), byteCount, nullptr, 0);
  if (needed <= 0) return WideString();
  std::vector<WCHAR> buffer(static_cast<size_t>(needed), 0);
  if (MultiByteToWideChar(CP_ACP, 0, text.c_str(), byteCount, buffer.data(), needed) <= 0) return WideString();
  buffer.back() = 0;
  return WideString(buffer.data());
}

std::string ToAnsi(const WCHAR* text, size_t maxUnits) {
  size_t length = 0;
  while (length < maxUnits && text[length] != 0) ++length;
  if (length == 0 || length >= static_cast<size_t>(INT_MAX)) return std::string();
  const int unitCount = static_cast<int>(length);
  const int needed = WideCharToMultiByte(CP_ACP, 0, text, unitCount, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return std::string();
  std::string bytes(static_cast<size_t>(needed), '\0');
  const int written = WideCharToMultiByte(CP_ACP, 0, text, unitCount, &bytes[0], needed, nullptr, nullptr);
  if (written <= 0) return std::string();
  bytes.resize(static_cast<size_t>(written));
  return bytes;
}
