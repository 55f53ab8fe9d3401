// The text WlanGetProfile gives back for a stored profile.
#pragma once

#include <string>

namespace standin {

// The profile text with the content of its name element (the root's first child) replaced by
// the stored name, escaped for XML; the text as it is when it has no such element.
std::u16string WithStoredName(const std::u16string& text, const std::u16string& storedName);

}  // namespace standin
