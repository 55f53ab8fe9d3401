// The stand-in's own conversions in the Wine suite's wlanapi.dll: the system's ANSI code
// page as Windows converts it, with the caller's last-error value put back.
#include <windows.h>

#include "platform/standin/text/ansi_text.h"

namespace standin {

std::string EncodeAnsi(const std::u16string& units) {
  const DWORD lastError = GetLastError();
  const LPCWCH wide = reinterpret_cast<LPCWCH>(units.data());
  const int length = static_cast<int>(units.size());
  const int size = length == 0 ? 0 : WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0 && WideCharToMultiByte(CP_ACP, 0, wide, length, &bytes[0], size, nullptr, nullptr) != size)
    bytes.clear();
  SetLastError(lastError);
  return bytes;
}

std::string EncodeAnsi(UINT, const std::u16string& units) {
  return EncodeAnsi(units);
}

std::u16string DecodeAnsi(const std::string& bytes) {
  const DWORD lastError = GetLastError();
  const int length = static_cast<int>(bytes.size());
  const int size = length == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  std::u16string units(static_cast<size_t>(size > 0 ? size : 0), u'\0');
  if (size > 0 &&
      MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<LPWSTR>(&units[0]), size) != size)
    units.clear();
  SetLastError(lastError);
  return units;
}

}  // namespace standin
