#include "wlan/order.h"

#include <algorithm>
#include <vector>

#include "text/code_page.h"
#include "text/print.h"
#include "wlan/actions.h"
#include "wlan/profile_list.h"
#include "wlan/session.h"

static bool IsAdHocName(const WideString& name) {
  static const WideString suffix = WTEXT("-adhoc");
  return name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

int MoveProfiles(const ValueList& names, const ValueList& limitList) {
  ValueList distinct;
  for (const std::string& name : names)
    if (!ListContains(distinct, name)) distinct.push_back(name);
  int failures = 0;
  ForEachSelectedInterface(limitList, [&](const WLAN_INTERFACE_INFO& entry, const std::string& guidText) {
    PWLAN_PROFILE_INFO_LIST profiles = FetchProfileList(&entry.InterfaceGuid, guidText);
    if (profiles == nullptr) {
      ++failures;
      return;
    }
    std::vector<WideString> held;
    for (DWORD p = 0; p < profiles->dwNumberOfItems; ++p) held.push_back(StoredProfileName(profiles->ProfileInfo[p]));
    WlanFreeMemory(profiles);
    DWORD nextInfrastructure = 0;
    DWORD nextAdHoc = static_cast<DWORD>(
        std::count_if(held.begin(), held.end(), [](const WideString& name) { return !IsAdHocName(name); }));
    for (const std::string& name : distinct) {
      const WideString wide = ToWide(name);  // compared exactly, in UTF-16
      DWORD& position = IsAdHocName(wide) ? nextAdHoc : nextInfrastructure;
      DWORD result = ERROR_NOT_FOUND;
      if (std::find(held.begin(), held.end(), wide) != held.end())
        result =
            WlanSetProfilePosition(wlanSession.clientHandle, &entry.InterfaceGuid, wide.c_str(), position, nullptr);
      if (result == ERROR_SUCCESS) {
        Print(" - Moved AP '" + NameForLine(name) + "' to position " + std::to_string(position + 1) +
              " on interface '" + guidText + "'.\n");
        ++position;
      } else {
        ++failures;
        PrintError(result, "move AP '" + NameForLine(name) + "' on interface '" + guidText + "'");
      }
    }
  });
  return failures;
}

int OrderAps(ValueList names, ValueList limitList) {
  if (!WifiApiReady()) return -1;
  MoveProfiles(names, limitList);
  return 0;
}
