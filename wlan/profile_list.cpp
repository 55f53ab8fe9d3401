#include "wlan/profile_list.h"

#include <cstdio>

#include "wlan/session.h"

PWLAN_PROFILE_INFO_LIST FetchProfileList(const GUID* interfaceGuid, const std::string& guidText) {
  PWLAN_PROFILE_INFO_LIST profiles = nullptr;
  const DWORD result = WlanGetProfileList(wlanSession.clientHandle, interfaceGuid, nullptr, &profiles);
  if (result != 0) {
    if (profiles != nullptr) WlanFreeMemory(profiles);
    printf(" - Error(%d): Unable to get the profiles of interface '%s'.\n", static_cast<int>(result),
           guidText.c_str());
    return nullptr;
  }
  return profiles;
}
