#pragma once

#include <string>

namespace standin {

// Appends one line to the file named by TESSAMIN_TRACE, when it is set.
void Trace(const std::string& line);
void CloseTrace();
std::string Hex32(unsigned long value);

}  // namespace standin
