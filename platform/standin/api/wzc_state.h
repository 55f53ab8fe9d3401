// Whether the Wireless Zero Configuration service runs: XP's Native Wifi works only while it does.
#pragma once

namespace standin {

// The machine file's service entry on the stand-in; the service control manager's report in
// the wlanapi.dll built for Windows.
bool WzcServiceRunning();

}  // namespace standin
