// What the ANSI code page holds exactly: text that converts to it and back unchanged, with no
// best-fit look-alike (Ω written as O in 1252) and no default character standing in.
#pragma once

#include <map>
#include <string>

#include "platform/platform.h"

// Characters (one UTF-16 unit, or a surrogate pair) with their ANSI bytes, each converted once;
// "" for a character that the code page does not hold exactly.
typedef std::map<WideString, std::string> AnsiCharacters;

// The first and the second unit of a surrogate pair.
bool IsHighSurrogate(WCHAR unit);
bool IsLowSurrogate(WCHAR unit);
// The text's ANSI bytes; true when they convert back to the same text. Two platform calls.
bool ToAnsiExactly(const WideString& text, std::string& bytes);
// The bytes of the character at the start of the text, "" when the code page does not hold it
// exactly; ASCII without a platform call. count gets the number of units it takes.
std::string CharacterInAnsi(const WideString& text, size_t at, size_t& count, AnsiCharacters& known);
