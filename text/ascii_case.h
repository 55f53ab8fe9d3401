// Letter case of ASCII letters alone, whatever the code page: file name extensions and device
// names compare so.
#pragma once

#include "platform/platform.h"

inline WCHAR UpperAscii(WCHAR unit) {
  return unit >= 'a' && unit <= 'z' ? static_cast<WCHAR>(unit - 'a' + 'A') : unit;
}
