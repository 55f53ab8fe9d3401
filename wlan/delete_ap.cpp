#include <string>

#include "text/code_page.h"
#include "text/print.h"
#include "wlan/actions.h"
#include "wlan/profile_list.h"
#include "wlan/session.h"

int DeleteAp(std::string name, ValueList limitList) {
  if (!WifiApiReady()) return -1;
  const WideString wideName = ToWide(name);
  ForEachSelectedInterface(limitList, [&](const WLAN_INTERFACE_INFO& entry, const std::string& guidText) {
    PWLAN_PROFILE_INFO_LIST profiles = FetchProfileList(&entry.InterfaceGuid, guidText);
    if (profiles == nullptr) return;
    for (DWORD p = 0; p < profiles->dwNumberOfItems; ++p) {
      const WCHAR* storedName = profiles->ProfileInfo[p].strProfileName;
      // Converted whole, so a long name is compared in full and no prefix of it matches.
      const std::string convertedName = ToAnsi(storedName, WLAN_MAX_NAME_LENGTH);
      if (!IsProfileNamed(storedName, convertedName, name, wideName)) continue;
      const DWORD result = WlanDeleteProfile(wlanSession.clientHandle, &entry.InterfaceGuid, storedName, nullptr);
      const std::string shownName = NameForLine(convertedName);
      if (result == 0) {
        Print(" - Deleted AP '" + shownName + "' from interface '" + guidText + "'.\n");
      } else {
        PrintError(result, "delete AP '" + shownName + "' from interface '" + guidText + "'");
      }
    }
    WlanFreeMemory(profiles);
  });
  return 0;
}
