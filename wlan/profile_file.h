#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

// Real profiles are a few kilobytes: a larger file is refused before it is read.
static const unsigned long kMaxProfileFileBytes = 1048576;  // 1 MiB

// What -add makes of a profile file's bytes: read as text (CR LF as LF, up to the first NUL)
// and kept up to its last ">".
std::string ProfileText(std::string content);
// Reads a profile file, named by its UTF-16 path, as ProfileText. 0 when read; -1 when it can't be opened or read, or
// is not a plain file (a folder, a device, a pipe); -2 when its size exceeds kMaxProfileFileBytes, or no buffer for it
// can be had. On failure text is left as it was.
int ReadProfileFile(const WideString& path, std::string& text);
// The same for a path in the ANSI code page, as typed.
int LoadProfileXml(const std::string& path, std::string& text);

// The profile files of a folder, as -deploy adds them: the names of its files ending in .xml in
// any letter case, hidden and system files included, found with the platform's wide-character
// calls, in name order as NTFS lists them. 0, or the error that kept the folder from being listed.
DWORD ListProfileFiles(const WideString& folder, std::vector<WideString>& names);
