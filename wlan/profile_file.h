#pragma once

#include <string>

#include "platform/platform.h"

// Reads a profile file as text (CR LF as LF, up to the first NUL) and keeps it up to
// its last ">". 0 when read; -1 when it can't be opened or read; -2 when its size can't
// be had or no buffer for it. On failure text is left as it was.
int LoadProfileXml(const std::string& path, std::string& text);
// The same for a file named by its UTF-16 path, as a folder listing gives it.
int ReadProfileFile(const WideString& path, std::string& text);
