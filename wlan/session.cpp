#include "wlan/session.h"

#include <cstdio>

#include "text/print.h"

WlanSession wlanSession;

int StartWifiApi() {
  if (!wlanSession.handleOpen) {
    DWORD negotiatedVersion = 0;
    if (WlanOpenHandle(1, nullptr, &negotiatedVersion, &wlanSession.clientHandle) != 0) return -1;
    wlanSession.handleOpen = true;
  }
  if (!wlanSession.interfacesLoaded) {
    if (WlanEnumInterfaces(wlanSession.clientHandle, nullptr, &wlanSession.interfaceList) != 0) return -2;
    wlanSession.interfacesLoaded = true;
  }
  return 0;
}

void CloseWifiApi() {
  if (wlanSession.interfacesLoaded) WlanFreeMemory(wlanSession.interfaceList);
  if (wlanSession.handleOpen) WlanCloseHandle(wlanSession.clientHandle, nullptr);
  wlanSession = WlanSession();
}

int RestartWifiApi() {
  CloseWifiApi();
  return StartWifiApi();
}

std::string GuidToText(GUID guid) {
  char text[39];
  snprintf(text, sizeof text, "{%X-%X-%X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned>(guid.Data1),
           static_cast<unsigned>(guid.Data2), static_cast<unsigned>(guid.Data3), guid.Data4[0], guid.Data4[1],
           guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return text;
}

bool IsInterfaceSelected(const ValueList& limitList, const std::string& guidText) {
  return limitList.empty() || ListContains(limitList, guidText);
}

bool WifiApiReady() {
  if (StartWifiApi() == 0) return true;
  Print(" - Error starting Wifi API\n");
  return false;
}

void ForEachSelectedInterface(const ValueList& limitList,
                              const std::function<void(const WLAN_INTERFACE_INFO&, const std::string&)>& visit) {
  const WLAN_INTERFACE_INFO_LIST* interfaces = wlanSession.interfaceList;
  for (DWORD i = 0; i < interfaces->dwNumberOfItems; ++i) {
    const WLAN_INTERFACE_INFO& entry = interfaces->InterfaceInfo[i];
    const std::string guidText = GuidToText(entry.InterfaceGuid);
    if (IsInterfaceSelected(limitList, guidText)) visit(entry, guidText);
  }
}
