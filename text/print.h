// The one way the tool's text leaves it: whole lines, handed to the platform's standard output.
#pragma once

#include <string>

// Writes the text, one or more lines each ending with "\n", to standard output.
void Print(const std::string& text);
