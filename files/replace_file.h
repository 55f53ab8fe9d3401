// Files that are written whole and replace the old one in one step, so that a reader sees
// either the old text or the new one, and a crash leaves no half-written file in its place.
#pragma once

#include <string>

#include "platform/platform.h"

enum FileAccess { kAnyoneMayRead, kAdministratorsOnly };

// Writes the bytes to PATH.tmp (made new: a file or link planted under that name is removed,
// never written through), flushes it and moves it over the file. 0, or the failing call's
// error; on failure the old file is as it was and the temporary one is gone.
DWORD ReplaceFileWhole(const WideString& path, const std::string& bytes, FileAccess access);
// A descriptor that lets only administrators and SYSTEM open what is created with it; null
// when none can be made. Freed with LocalFree.
PSECURITY_DESCRIPTOR AdministratorsOnlyDescriptor();
