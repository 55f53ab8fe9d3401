#include "wlan/profile_list.h"

#include <algorithm>

#include "text/print.h"
#include "wlan/session.h"

PWLAN_PROFILE_INFO_LIST QueryProfileList(const GUID* interfaceGuid, DWORD& error) {
  PWLAN_PROFILE_INFO_LIST profiles = nullptr;
  error = WlanGetProfileList(wlanSession.clientHandle, interfaceGuid, nullptr, &profiles);
  if (error == ERROR_SUCCESS && profiles != nullptr) return profiles;
  if (profiles != nullptr) WlanFreeMemory(profiles);
  if (error == ERROR_SUCCESS) error = ERROR_INVALID_DATA;
  return nullptr;
}

PWLAN_PROFILE_INFO_LIST FetchProfileList(const GUID* interfaceGuid, const std::string& guidText) {
  DWORD error = ERROR_SUCCESS;
  PWLAN_PROFILE_INFO_LIST profiles = QueryProfileList(interfaceGuid, error);
  if (profiles == nullptr) PrintError(error, "get the profiles of interface '" + guidText + "'");
  return profiles;
}

WideString StoredProfileName(const WLAN_PROFILE_INFO& profile) {
  return FixedSizeName(profile.strProfileName);
}

WideString FixedSizeName(const WCHAR* name) {
  return WideString(name, std::find(name, name + WLAN_MAX_NAME_LENGTH, 0));
}

bool IsProfileNamed(const WCHAR* storedName, const std::string& convertedName, const std::string& name,
                    const WideString& wideName) {
  if (convertedName != name || wideName.empty() || wideName.size() >= WLAN_MAX_NAME_LENGTH) return false;
  return std::char_traits<WCHAR>::compare(wideName.c_str(), storedName, wideName.size() + 1) == 0;
}
