#include "text/code_page.h"
#include "text/print.h"
#include "wlan/actions.h"
#include "wlan/profile_list.h"
#include "wlan/session.h"

int ListNics() {
  if (!WifiApiReady()) return -1;
  const WLAN_INTERFACE_INFO_LIST* interfaces = wlanSession.interfaceList;
  for (DWORD i = 0; i < interfaces->dwNumberOfItems; ++i) {
    const WLAN_INTERFACE_INFO& entry = interfaces->InterfaceInfo[i];
    if (i == 0) Print("Wireless NICs:\n");
    Print(GuidToText(entry.InterfaceGuid) + " / " +
          NameForLine(ToAnsi(entry.strInterfaceDescription, WLAN_MAX_NAME_LENGTH)) + "\n");
  }
  if (interfaces->dwNumberOfItems > 0) Print("\n");
  return 0;
}

int ListAps(ValueList limitList) {
  if (!WifiApiReady()) return -1;
  bool headerPrinted = false;
  ForEachSelectedInterface(limitList, [&](const WLAN_INTERFACE_INFO& entry, const std::string& guidText) {
    PWLAN_PROFILE_INFO_LIST profiles = FetchProfileList(&entry.InterfaceGuid, guidText);
    if (profiles == nullptr) return;
    if (profiles->dwNumberOfItems > 0 && !headerPrinted) {
      Print("Access Points By Interface:\n");
      headerPrinted = true;
    }
    const std::string description = NameForLine(ToAnsi(entry.strInterfaceDescription, WLAN_MAX_NAME_LENGTH));
    for (DWORD p = 0; p < profiles->dwNumberOfItems; ++p) {
      Print(description + " / " + NameForLine(ToAnsi(profiles->ProfileInfo[p].strProfileName, WLAN_MAX_NAME_LENGTH)) +
            "\n");
    }
    WlanFreeMemory(profiles);
  });
  if (headerPrinted) Print("\n");
  return 0;
}
