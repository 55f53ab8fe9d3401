// The networks each interface sees (-networks, and the end of -deploy's log), and joining one
// with a stored profile (-connect).
#pragma once

#include <string>

#include "platform/platform.h"
#include "text/value_list.h"

// Asks every selected interface to scan, then waits once, as long as a driver may take: XP
// gives no notice when a scan is done. Failed scans are printed when asked for.
void ScanSelectedInterfaces(const ValueList& limitList, bool printFailures);

// The interface's networks in range, from its last scan; null, with the call's error, when
// they can't be had. A list returned here is released with WlanFreeMemory by the caller.
PWLAN_AVAILABLE_NETWORK_LIST FetchNetworkList(const GUID& interfaceGuid, DWORD& error);

// "not connectable: (CODE)TEXT", "profile 'NAME', connected", "profile 'NAME'" or "no profile".
std::string NetworkVerdict(const WLAN_AVAILABLE_NETWORK& network);

// Scans on the selected interfaces, then prints "Networks By Interface:", one line
// "GUIDTEXT / SSID / SIGNAL% / AUTHENTICATION ENCRYPTION / VERDICT" per network (or the list's
// error line) and a blank line, when any is selected. Returns for a summary what each
// interface's stored profiles meet: "GUIDTEXT: Office 70% not connectable (131073); Guest not in
// range; GUIDTEXT: ...". The Native Wifi session must be started.
std::string PrintNetworks(const ValueList& limitList);

// -connect NAME: connects each selected interface that holds NAME to it, printing one line per
// selected interface. True when every interface that holds NAME connected, and one did.
bool ConnectAp(const std::string& name, const ValueList& limitList);
