#include "wlan/export_name.h"

#include "text/ascii_case.h"

static const size_t kMaxBaseUnits = 100;

static bool IsForbidden(WCHAR unit) {
  static const char kForbidden[] = "\\/:*?\"<>|";
  if (unit < 0x20 || unit == 0x7F) return true;
  for (const char* c = kForbidden; *c != '\0'; ++c)
    if (unit == static_cast<WCHAR>(*c)) return true;
  return false;
}

// CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9 (also with the superscript digits ¹ ² ³, which
// later Windows take as devices too), CONIN$, CONOUT$ and CLOCK$.
static bool IsDeviceName(const WideString& part) {
  WideString upper;
  for (WCHAR unit : part) upper += UpperAscii(unit);
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
  for (const char* device : kDevices)
    if (upper == WideString(device, device + std::char_traits<char>::length(device))) return true;
  if (upper.size() != 4 || !(upper.compare(0, 3, WTEXT("COM")) == 0 || upper.compare(0, 3, WTEXT("LPT")) == 0))
    return false;
  const WCHAR digit = upper[3];
  return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

// Windows drops a name's trailing dots and blanks: they become _.
static void ReplaceTrailingDotsAndBlanks(WideString& base) {
  for (size_t end = base.size(); end > 0 && (base[end - 1] == '.' || base[end - 1] == ' '); --end) base[end - 1] = '_';
}

WideString SafeFileBase(const WideString& profileName, AnsiCharacters& known) {
  WideString base;
  for (size_t at = 0, count = 1; at < profileName.size() && base.size() < kMaxBaseUnits; at += count) {
    const bool held = !CharacterInAnsi(profileName, at, count, known).empty();
    if (!held || IsForbidden(profileName[at])) base += '_';
    else base += profileName.substr(at, count);
  }
  ReplaceTrailingDotsAndBlanks(base);
  if (base.empty()) base.assign(1, '_');
  // NAME~1.xml may be the short name of another file of the folder, which Windows would open.
  for (size_t at = 0; base.size() <= 8 && at + 1 < base.size(); ++at)
    if (base[at] == '~' && base[at + 1] >= '0' && base[at + 1] <= '9') base[at] = '_';
  // Windows takes the part before the first dot, blanks after it dropped, as the device.
  size_t deviceEnd = base.find('.');
  if (deviceEnd == WideString::npos) deviceEnd = base.size();
  while (deviceEnd > 0 && base[deviceEnd - 1] == ' ') --deviceEnd;
  if (IsDeviceName(base.substr(0, deviceEnd))) base.insert(deviceEnd, 1, '_');
  // That _ may take a long name past its bound: its last character goes.
  if (base.size() > kMaxBaseUnits) {
    base.resize(kMaxBaseUnits);
    if (IsHighSurrogate(base.back())) base.pop_back();  // never half a surrogate pair
    ReplaceTrailingDotsAndBlanks(base);
  }
  return base;
}
