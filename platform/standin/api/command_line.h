// The host's command line as Wine hands it to an exe with main.
#pragma once

#include <string>

#include "platform/platform.h"

namespace standin {

// A word that is valid UTF-8 and not plain ASCII, converted to the code page as
// WideCharToMultiByte without flags converts it (best fit, then the default character); any
// other word as it stands, so that exact bytes can still be passed.
std::string CommandLineWord(const std::string& word, UINT codePage);

}  // namespace standin
