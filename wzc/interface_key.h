// Where WZCSVC keeps an interface's settings in the registry.
#pragma once

#include "platform/platform.h"

// HKEY_LOCAL_MACHINE's SOFTWARE\Microsoft\WZCSVC\Parameters\Interfaces\ and the braced GUID
// with every digit kept, as the service names its keys.
WideString InterfaceKeyPath(const GUID& guid);
// The access asked for, in the 64-bit view under WOW64: the keys are the 64-bit service's, and
// a 32-bit process on 64-bit Windows would see the 32-bit view by default.
REGSAM InterfaceKeyAccess(REGSAM access);
