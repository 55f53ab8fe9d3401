// The process-wide Native Wifi connection, the text form of interface GUIDs and the
// -limit selection rule.
#pragma once

#include <functional>
#include <string>

#include "platform/platform.h"
#include "text/value_list.h"

struct WlanSession {
  bool handleOpen;
  bool interfacesLoaded;
  HANDLE clientHandle;
  PWLAN_INTERFACE_INFO_LIST interfaceList;
};

extern WlanSession wlanSession;

// 0 when the handle is open and the interface list loaded; -1 when the handle can't be
// opened; -2 when the interfaces can't be enumerated. Retries what has not succeeded.
int StartWifiApi();
// At exit: frees the interface list, then closes the handle, each only if it was obtained; the
// session is closed again afterwards.
void CloseWifiApi();
// A new session: the old one closed, a new handle opened and the interfaces listed afresh.
// What StartWifiApi returns.
int RestartWifiApi();

// "{%X-%X-%X-%02X%02X-%02X%02X%02X%02X%02X%02X}": the first three groups without leading zeros.
std::string GuidToText(GUID guid);

bool IsInterfaceSelected(const ValueList& limitList, const std::string& guidText);

// StartWifiApi for an action: false, after printing the action's failure line, when the
// session can't be started.
bool WifiApiReady();

// The selection walk of every selecting action: visits, in list order, each interface of the
// session that the -limit list admits, with its GuidText.
void ForEachSelectedInterface(const ValueList& limitList,
                              const std::function<void(const WLAN_INTERFACE_INFO&, const std::string&)>& visit);
