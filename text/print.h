// The one way the tool's text leaves it: whole lines, handed to the platform's standard output
// and, while a run log is kept, to the log as well.
#pragma once

#include <string>

#include "platform/platform.h"

// Writes the text, one or more lines each ending with "\n", to standard output.
void Print(const std::string& text);
// The tool's line for a call that failed: " - Error(CODE): Unable to WHAT."
void PrintError(DWORD code, const std::string& what);
std::string ErrorLine(DWORD code, const std::string& what);

// A name from outside the tool (a profile name, an interface description, a file name) as it
// stands in a line: every byte of a control character (C0, DEL, and C1 as the code page reads
// it) shown as \xHH, so that the name can neither end the line, start one, nor send a
// terminal commands; every other byte is kept. codePage: CP_ACP, or CP_UTF8 for UTF-8 text.
std::string NameForLine(const std::string& name, UINT codePage = CP_ACP);

// Where a copy of every printed text goes besides standard output; null for none.
typedef void (*OutputCopy)(const std::string& text);
void SetOutputCopy(OutputCopy copy);
