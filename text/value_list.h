// Lists of byte strings as the command line gives them: option values, -limit GUID texts.
#pragma once

#include <string>
#include <vector>

typedef std::vector<std::string> ValueList;

// Exact membership: the same bytes, the same length.
bool ListContains(ValueList list, std::string item);
