// Names from the platform as they stand in the tool's lines.
#pragma once

#include <string>

// The name (a profile name, an interface description) with a line feed or carriage return in
// it shown as \x0A or \x0D, so that it can't end the line or start one of its own; every
// other byte is kept.
std::string ShownName(const std::string& name);
