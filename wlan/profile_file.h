#pragma once

#include <string>

#include "platform/platform.h"

// Real profiles are a few kilobytes: a larger file is refused before it is read.
static const unsigned long kMaxProfileFileBytes = 1048576;  // 1 MiB

// Reads a profile file, named by its UTF-16 path, as text (CR LF as LF, up to the first NUL)
// and keeps it up to its last ">". 0 when read; -1 when it can't be opened or read, or is
// not a plain file (a folder, a device, a pipe); -2 when its size exceeds
// kMaxProfileFileBytes, or no buffer for it can be had. On failure text is left as it was.
int ReadProfileFile(const WideString& path, std::string& text);
// The same for a path in the ANSI code page, as typed.
int LoadProfileXml(const std::string& path, std::string& text);
