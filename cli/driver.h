#pragma once

#include <string>

#include "cli/options.h"

// One run of the tool; the result is the process exit code.
int RunTool(int argc, char** argv);

// The distinct -limit values in the order they first appear, up to the first empty one.
ValueList BuildLimitList(const OptionMap& options);
// Runs the action once per value of the option, up to its first empty value; true when any ran.
bool RunForEachValue(const OptionMap& options, const char* name, int (*action)(std::string, ValueList),
                     const ValueList& limitList);
