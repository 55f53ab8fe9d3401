// The parsed command line: every option word with the value words given to it.
#pragma once

#include <map>
#include <string>

#include "text/value_list.h"

typedef std::map<std::string, ValueList> OptionMap;

// Fills the map from arguments 1 to argc - 1; returns the number of distinct option words.
int ParseOptions(OptionMap& options, int argc, char** argv);
bool HasOption(const OptionMap& options, const char* name);
// The value at that index of the named option's list, or "" when there is none.
std::string OptionValue(const OptionMap& options, const char* name, int index);
