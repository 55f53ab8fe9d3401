// Where WZCSVC keeps an interface's settings in the registry.
#pragma once

#include "platform/platform.h"

// HKEY_LOCAL_MACHINE's SOFTWARE\Microsoft\WZCSVC\Parameters\Interfaces\ and the braced GUID
// with every digit kept, as the service names its keys.
WideString InterfaceKeyPath(const GUID& guid);
