// The stand-in's own reading of the clock that GetTickCount reads: not traced.
#pragma once

#include "platform/platform.h"

namespace standin {

DWORD VirtualTicks();
// The tool's waits for a scan and for a connection attempt run on the virtual clock: the
// stand-in's always does; the Wine suite's wlanapi.dll points the exe's GetTickCount and Sleep
// at it from the first call of WlanScan or WlanConnect on an open handle on.
void UseVirtualClock();

}  // namespace standin
