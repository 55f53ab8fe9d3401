// The text of an exported profile file: what WlanGetProfile gave, in the ANSI code page that
// -add reads, with an XML character reference for each character the code page does not hold
// exactly, so that the file stores the same profile again.
#pragma once

#include <string>

#include "platform/platform.h"
#include "text/exact_ansi.h"

// The file's bytes: CR LF line ends, the last line's included, an XML declaration that names no encoding, no byte-order
// mark. False when a character the code page lacks stands where no reference can (in a name).
bool ExportFileText(const WideString& profileText, AnsiCharacters& known, std::string& bytes);
