// Small files read whole: a plain file of the disk, sized before a byte of it is read, so
// that neither a huge file nor a pipe or device can hold or exhaust the run.
#pragma once

#include <string>

#include "platform/platform.h"

// The bytes of the file at PATH into content. 0; the failing call's error;
// ERROR_INVALID_DATA when it is no plain file (a device, a pipe); ERROR_FILE_TOO_LARGE when it
// holds more than maxBytes; ERROR_NOT_ENOUGH_MEMORY when no buffer for it can be had. A file
// that shrinks while it is read gives what it still held. On failure content is left as it was.
DWORD ReadFileWhole(const WideString& path, size_t maxBytes, std::string& content);
