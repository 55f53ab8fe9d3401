// Conversions between the ANSI code page of the system and the platform's UTF-16.
#pragma once

#include <string>

#include "platform/platform.h"

// ANSI bytes to UTF-16; stops at the first NUL. Empty when the platform refuses or no
// memory for the result can be had.
WideString ToWide(const std::string& text);
// UTF-16 (up to its terminator, at most maxUnits units) to ANSI bytes, the platform's
// default character standing for what the code page lacks. Sized from the platform's answer;
// empty when that can't be had.
std::string ToAnsi(const WCHAR* text, size_t maxUnits);
