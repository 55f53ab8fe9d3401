// kernel32: the last-error value, the virtual clock, the code-page conversions and upper case.
#include <locale.h>
#include <wctype.h>

#include <string>

#include "platform/platform.h"
#include "platform/standin/api/clock.h"
#include "platform/standin/api/reset.h"
#include "platform/standin/machine/machine.h"
#include "platform/standin/machine/trace.h"
#include "platform/standin/text/code_page.h"

namespace standin {

static DWORD lastError = 0;
static bool clockStarted = false;
static DWORD clockTicks = 0;

void ResetClock() {
  clockStarted = false;
  clockTicks = 0;
  lastError = 0;
}

// The clock starts at the machine's tickCount and moves only when Sleep is called.
static DWORD& Clock() {
  if (!clockStarted) {
    clockStarted = true;
    const Json* machine = Machine();
    clockTicks = machine ? NumberMember(*machine, "tickCount") : 0;
  }
  return clockTicks;
}

DWORD VirtualTicks() {
  return Clock();
}

void UseVirtualClock() {}

static UINT ResolveCodePage(UINT codePage) {
  return codePage == CP_ACP ? AnsiCodePage() : codePage;
}

static int Fail(DWORD error) {
  lastError = error;
  return 0;
}

// Unicode's simple upper case, as the host's C.UTF-8 locale has it; ASCII alone without one.
static char16_t UpperUnit(char16_t unit) {
  static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  if (unit >= 0xD800 && unit <= 0xDFFF) return unit;  // half of a pair: kept
  if (unicode == static_cast<locale_t>(nullptr)) return unit >= u'a' && unit <= u'z' ? unit - u'a' + u'A' : unit;
  const wint_t upper = towupper_l(unit, unicode);
  return upper <= 0xFFFF ? static_cast<char16_t>(upper) : unit;
}

}  // namespace standin

using namespace standin;

extern "C" DWORD WINAPI GetLastError(void) {
  return lastError;
}

extern "C" VOID WINAPI SetLastError(DWORD dwErrCode) {
  lastError = dwErrCode;
}

extern "C" DWORD WINAPI GetTickCount(void) {
  const DWORD now = Clock();
  Trace("GetTickCount -> " + std::to_string(now));
  return now;
}

extern "C" VOID WINAPI Sleep(DWORD dwMilliseconds) {
  Clock() += dwMilliseconds;  // wraps modulo 2^32 like the real counter
  Trace("Sleep " + std::to_string(dwMilliseconds));
}

extern "C" int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte,
                                          LPWSTR lpWideCharStr, int cchWideChar) {
  const UINT codePage = ResolveCodePage(CodePage);
  if (lpMultiByteStr == nullptr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
      (lpWideCharStr == nullptr && cchWideChar != 0) || !HasCodePage(codePage))
    return Fail(ERROR_INVALID_PARAMETER);
  const DWORD allowedFlags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : (MB_ERR_INVALID_CHARS | MB_PRECOMPOSED);
  if ((dwFlags & ~allowedFlags) != 0) return Fail(ERROR_INVALID_FLAGS);
  size_t count = static_cast<size_t>(cbMultiByte);
  if (cbMultiByte == -1) count = std::char_traits<char>::length(lpMultiByteStr) + 1;
  bool invalid = false;
  const std::u16string wide = DecodeBytes(codePage, lpMultiByteStr, count, &invalid);
  if (invalid && (dwFlags & MB_ERR_INVALID_CHARS)) return Fail(ERROR_NO_UNICODE_TRANSLATION);
  int result = static_cast<int>(wide.size());
  if (cchWideChar != 0) {
    if (wide.size() > static_cast<size_t>(cchWideChar)) {
      wide.copy(lpWideCharStr, static_cast<size_t>(cchWideChar));
      result = Fail(ERROR_INSUFFICIENT_BUFFER);
    } else {
      wide.copy(lpWideCharStr, wide.size());
    }
  }
  Trace("MultiByteToWideChar " + std::to_string(codePage) + " " + std::to_string(count) + " -> " +
        std::to_string(result));
  return result;
}

extern "C" int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWCH lpWideCharStr, int cchWideChar,
                                          LPSTR lpMultiByteStr, int cbMultiByte, LPCCH lpDefaultChar,
                                          LPBOOL lpUsedDefaultChar) {
  const UINT codePage = ResolveCodePage(CodePage);
  if (lpWideCharStr == nullptr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
      (lpMultiByteStr == nullptr && cbMultiByte != 0) || !HasCodePage(codePage))
    return Fail(ERROR_INVALID_PARAMETER);
  if (codePage == CP_UTF8 && (lpDefaultChar != nullptr || lpUsedDefaultChar != nullptr))
    return Fail(ERROR_INVALID_PARAMETER);
  if (dwFlags != 0) return Fail(ERROR_INVALID_FLAGS);
  size_t count = static_cast<size_t>(cchWideChar);
  if (cchWideChar == -1) count = std::char_traits<char16_t>::length(lpWideCharStr) + 1;
  const size_t limit = cbMultiByte == 0 ? static_cast<size_t>(-1) : static_cast<size_t>(cbMultiByte);
  const EncodedText text = EncodeUnits(codePage, lpWideCharStr, count, lpDefaultChar, limit);
  if (lpUsedDefaultChar) *lpUsedDefaultChar = text.usedDefault ? TRUE : FALSE;
  int result = static_cast<int>(text.bytes.size());
  if (cbMultiByte != 0) text.bytes.copy(lpMultiByteStr, text.bytes.size());
  if (text.truncated) result = Fail(ERROR_INSUFFICIENT_BUFFER);
  Trace("WideCharToMultiByte " + std::to_string(codePage) + " " + std::to_string(count) + " -> " +
        std::to_string(result));
  return result;
}

// Upper case only, the one mapping the tool asks for; the locale is not looked at.
extern "C" int WINAPI LCMapStringW(LCID Locale, DWORD dwMapFlags, LPCWSTR lpSrcStr, int cchSrc, LPWSTR lpDestStr,
                                   int cchDest) {
  int result = 0;
  size_t count = cchSrc > 0 ? static_cast<size_t>(cchSrc) : 0;
  if (cchSrc == -1 && lpSrcStr != nullptr) count = std::char_traits<char16_t>::length(lpSrcStr) + 1;
  if (lpSrcStr == nullptr || count == 0 || cchDest < 0 || (lpDestStr == nullptr && cchDest != 0)) {
    Fail(ERROR_INVALID_PARAMETER);
  } else if (dwMapFlags != LCMAP_UPPERCASE) {
    Fail(ERROR_INVALID_FLAGS);
  } else if (cchDest != 0 && count > static_cast<size_t>(cchDest)) {
    Fail(ERROR_INSUFFICIENT_BUFFER);
  } else {
    for (size_t i = 0; cchDest != 0 && i < count; ++i) lpDestStr[i] = UpperUnit(lpSrcStr[i]);
    result = static_cast<int>(count);
  }
  Trace("LCMapStringW " + Hex32(Locale) + " " + Hex32(dwMapFlags) + " " + std::to_string(count) + " -> " +
        std::to_string(result));
  return result;
}
