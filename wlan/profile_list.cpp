#include "wlan/profile_list.h"

#include <algorithm>

#include "text/print.h"
#include "wlan/session.h"

PWLAN_PROFILE_INFO_LIST FetchProfileList(const GUID* interfaceGuid, const std::string& guidText) {
  PWLAN_PROFILE_INFO_LIST profiles = nullptr;
  const DWORD result = WlanGetProfileList(wlanSession.clientHandle, interfaceGuid, nullptr, &profiles);
  if (result != 0) {
    if (profiles != nullptr) WlanFreeMemory(profiles);
    PrintError(result, "get the profiles of interface '" + guidText + "'");
    return nullptr;
  }
  return profiles;
}

WideString StoredProfileName(const WLAN_PROFILE_INFO& profile) {
  const WCHAR* name = profile.strProfileName;
  return WideString(name, std::find(name, name + WLAN_MAX_NAME_LENGTH, 0));
}
