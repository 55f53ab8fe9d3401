// Whether the Wireless Zero Configuration service runs: XP's Native Wifi works only while it does.
#pragma once

namespace standin {

// The stand-in's service control (api/services.cpp), where a service started in this run is
// start-pending until its status queries report it running; the service control manager's
// report in the wlanapi.dll built for Windows.
bool WzcServiceRunning();

}  // namespace standin
