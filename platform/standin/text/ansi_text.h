// The machine's ANSI code page for the stand-in's own conversions (the SSIDs of profiles):
// unlike MultiByteToWideChar and WideCharToMultiByte, which only the tool calls, they are not
// traced and leave the last-error value alone. On Linux they come from the stand-in's tables
// (text/ansi_text.cpp); in the Wine suite's wlanapi.dll from Windows itself
// (tests/wine/standin_wlanapi/ansi_text_win.cpp).
#pragma once

#include <string>

namespace standin {

// What WideCharToMultiByte without flags writes for the units.
std::string EncodeAnsi(const std::u16string& units);
// What MultiByteToWideChar without flags gives for the bytes.
std::u16string DecodeAnsi(const std::string& bytes);

}  // namespace standin
