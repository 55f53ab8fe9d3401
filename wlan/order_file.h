// FOLDER\ORDER.TXT: the names of profiles in their order of preference, one per line in the
// ANSI code page, CR LF. -export writes it beside the profile files; -deploy applies it.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "text/value_list.h"

extern const char kOrderFileName[];

// The file's lines that are not empty (CR LF or LF at their end), with their numbers when asked
// for. 0; ERROR_FILE_NOT_FOUND when there is no such file; or the error that kept it from being
// read.
DWORD ReadOrderFile(const WideString& path, ValueList& names, std::vector<int>* lineNumbers = nullptr);
// The file's text; names that can't be a line of it (not held exactly by the code page, or
// holding a line end) are left out and added to unlisted.
std::string OrderFileText(const std::vector<WideString>& names, std::vector<WideString>& unlisted);
