#pragma once

#include <initializer_list>
#include <string>
#include <vector>

// The lines of a stand-in trace file that record calls of the named functions.
std::vector<std::string> TraceCalls(const std::string& tracePath, std::initializer_list<const char*> names);
// Index of the first line at or after from that starts with prefix; -1 when none.
int FindCall(const std::vector<std::string>& calls, const std::string& prefix, int from = 0);
