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

// A name from the platform (a profile name, an interface description) as it stands in a
// line: a line feed or carriage return in it is shown as \x0A or \x0D, so that it can't end
// the line or start one of its own; every other byte is kept.
std::string NameForLine(const std::string& name);

// Where a copy of every printed text goes besides standard output; null for none.
typedef void (*OutputCopy)(const std::string& text);
void SetOutputCopy(OutputCopy copy);
