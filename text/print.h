// The one way the tool's text leaves it: whole lines, handed to the platform's standard output
// and, while a run log is kept, to the log as well.
#pragma once

#include <string>

// Writes the text, one or more lines each ending with "\n", to standard output.
void Print(const std::string& text);

// Where a copy of every printed text goes besides standard output; null for none.
typedef void (*OutputCopy)(const std::string& text);
void SetOutputCopy(OutputCopy copy);
