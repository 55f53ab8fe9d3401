// The header through which the tool sees the Win32 platform: its names, records, constants
// and error codes, from Windows itself or from the stand-in machine, and the platform's
// standard output. Files too are read through the platform's calls (CreateFileW, ReadFile),
// by their UTF-16 names.
#pragma once

#ifdef _WIN32
#include "platform/win/win32.h"
#else
#include "platform/standin/api/win32.h"
#endif
#include <cstddef>
#include <string>
#include <vector>

#include "platform/wlan_reason_codes.h"

// UTF-16 text as the platform takes and gives it.
typedef std::basic_string<WCHAR> WideString;

// The words of the command line as the platform's C runtime hands them to main: bytes in the
// ANSI code page. Windows has converted them already; the stand-in converts the host's UTF-8
// words as Wine does for the exe.
std::vector<std::string> CommandLineWords(int argc, char** argv);

// The tool's text, in the ANSI code page, to standard output: the bytes as they are, but on
// a Windows console, which shows text in another code page, as UTF-16 (WriteConsoleW).
void WriteStandardOutput(const char* bytes, size_t count);
