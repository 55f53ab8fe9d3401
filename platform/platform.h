// The one header through which the tool sees the platform: the Win32 names, records,
// constants and error codes, from Windows itself or from the stand-in machine.
#pragma once

#ifdef _WIN32
#include "platform/win/win32.h"
#else
#include "platform/standin/api/win32.h"
#endif

#include <string>

// UTF-16 text as the platform takes and gives it.
typedef std::basic_string<WCHAR> WideString;
