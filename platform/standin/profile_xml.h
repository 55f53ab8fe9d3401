#pragma once

#include <string>

namespace standin {

// The text of the <name> child of a <WLANProfile> root element, entities decoded.
// False when the text has no such root, no such child, or the name is empty.
bool ProfileNameFromXml(const std::string& xml, std::string& name);

}  // namespace standin
