// The machine's ANSI code page for the stand-in's own conversions (the SSIDs of profiles):
// unlike MultiByteToWideChar and WideCharToMultiByte, which only the tool calls, they are not
// traced and leave the last-error value alone. On Linux they come from the stand-in's tables
// (text/ansi_text.cpp); in the Wine suite's wlanapi.dll from Windows itself
// (tests/wine/standin_wlanapi/ansi_text_win.cpp).
#pragma once

#include <string>

#include "platform/platform.h"

namespace standin {

// What WideCharToMultiByte without flags writes for the units.
std::string EncodeAnsi(const std::u16string& units);
// The same in the code page a machine file names (0: 1252), for checking the file before it is
// in use; the Wine suite's wlanapi.dll converts in Windows' ANSI code page whatever it names.
std::string EncodeAnsi(UINT codePage, const std::u16string& units);
// What MultiByteToWideChar without flags gives for the bytes.
std::u16string DecodeAnsi(const std::string& bytes);

}  // namespace standin
