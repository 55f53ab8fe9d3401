// The file an exported profile goes to: the profile's name made into a safe Windows file name.
#pragma once

#include "platform/platform.h"
#include "text/exact_ansi.h"

// The name without ".xml": what a file name can't hold (\ / : * ? " < > |, control
// characters, a character the ANSI code page does not hold exactly) becomes _, and so does a
// trailing dot or blank; a device name (CON, NUL, COM1, ..., also before an extension) gets a _
// after it; so does the ~ of a name that could be another file's short name (ABCDEF~1).
// Never empty, at most 100 units, never a path: the file stays in its folder.
WideString SafeFileBase(const WideString& profileName, AnsiCharacters& known);
