// What each interface is connected to (-status, and the end of -deploy's log).
#pragma once

#include <string>

#include "platform/platform.h"
#include "text/value_list.h"

// 0 with the opcode's value of the interface copied (size bytes), or why there is none.
DWORD QueryValue(const GUID& guid, WLAN_INTF_OPCODE opcode, void* value, DWORD size);

// Prints "Connections By Interface:", one line "GUIDTEXT / DESCRIPTION / STATE" (or the
// query's error line) per selected interface and a blank line, when any is selected. Returns
// the states for a summary: "GUIDTEXT: STATE; GUIDTEXT: error CODE". The Native Wifi session
// must be started.
std::string PrintConnections(const ValueList& limitList);
// -deploy without -enable: an error line for each selected interface that Windows does not
// manage (a vendor's utility holds it), which will never use the profiles; their number. The
// Native Wifi session must be started.
int ReportUnmanagedInterfaces(const ValueList& limitList);
