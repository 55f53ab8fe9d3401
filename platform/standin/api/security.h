// Security descriptors as the stand-in keeps them: what the host's file modes can express.
#pragma once

#include "platform/platform.h"

namespace standin {

// True for a descriptor from ConvertStringSecurityDescriptorToSecurityDescriptorW whose
// protected DACL grants access only to the owner, administrators and SYSTEM: a file created
// with it is its owner's alone (0600) on the host.
bool GrantsOwnerAlone(PSECURITY_DESCRIPTOR descriptor);

}  // namespace standin
