#include <string>

#include "text/code_page.h"
#include "text/print.h"
#include "wlan/actions.h"
#include "wlan/profile_list.h"
#include "wlan/session.h"

// A stored name matches the typed one when its ANSI form has the same bytes and the typed
// name stands for the same UTF-16 units: a name that the code page only approximates (Ω as
// O, 日本 as ??) matches no typed name.
static bool IsNamed(const WCHAR* storedName, const std::string& convertedName, const std::string& name,
                    const WideString& wideName) {
  if (convertedName != name || wideName.empty() || wideName.size() >= WLAN_MAX_NAME_LENGTH) return false;
  return std::char_traits<WCHAR>::compare(wideName.c_str(), storedName, wideName.size() + 1) == 0;
}

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
      if (!IsNamed(storedName, convertedName, name, wideName)) continue;
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
