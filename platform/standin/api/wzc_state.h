// What the Wireless Zero Configuration service says of itself and of each interface: XP's
// Native Wifi works only while the service runs, and only on interfaces it manages.
#pragma once

#include "platform/platform.h"

namespace standin {

// The stand-in's service control (api/services.cpp), where a service started in this run is
// start-pending until its status queries report it running; the service control manager's
// report in the wlanapi.dll built for Windows.
bool WzcServiceRunning();

// Whether the interface's ControlFlags value holds both bits of 0x04008000 ("Use Windows to
// configure my wireless network settings"); false without the key or the value. Read from the
// machine's registry without a traced call (api/registry.cpp); from Windows' registry in the
// wlanapi.dll built for Windows.
bool WzcManagesInterface(const GUID& guid);

}  // namespace standin
