// A wlanapi.dll planted beside the exe or in the current folder, as an attacker would: it
// answers with one interface that no real machine has, so a run that lists it shows that
// the tool loaded the wrong library.
#include <windows.h>
#include <wlanapi.h>

#include <cstring>

namespace {

// The list header and its one entry (the record declares its entries as an open array).
union {
  WLAN_INTERFACE_INFO_LIST list;
  unsigned char bytes[sizeof(WLAN_INTERFACE_INFO_LIST) + sizeof(WLAN_INTERFACE_INFO)];
} planted;

}  // namespace

extern "C" {

DWORD WINAPI WlanOpenHandle(DWORD, PVOID, PDWORD negotiatedVersion, PHANDLE clientHandle) {
  *negotiatedVersion = 1;
  *clientHandle = reinterpret_cast<HANDLE>(1);
  return ERROR_SUCCESS;
}

DWORD WINAPI WlanCloseHandle(HANDLE, PVOID) {
  return ERROR_SUCCESS;
}

DWORD WINAPI WlanEnumInterfaces(HANDLE, PVOID, PWLAN_INTERFACE_INFO_LIST* interfaceList) {
  WLAN_INTERFACE_INFO* entry = planted.list.InterfaceInfo;
  planted.list.dwNumberOfItems = 1;
  entry->InterfaceGuid.Data1 = 0xBAD;
  wcscpy(entry->strInterfaceDescription, L"PLANTED wlanapi.dll");
  entry->isState = wlan_interface_state_connected;
  *interfaceList = &planted.list;
  return ERROR_SUCCESS;
}

DWORD WINAPI WlanGetProfileList(HANDLE, const GUID*, PVOID, PWLAN_PROFILE_INFO_LIST*) {
  return ERROR_ACCESS_DENIED;
}
DWORD WINAPI WlanDeleteProfile(HANDLE, const GUID*, LPCWSTR, PVOID) {
  return ERROR_ACCESS_DENIED;
}
DWORD WINAPI WlanSetProfile(HANDLE, const GUID*, DWORD, LPCWSTR, LPCWSTR, WINBOOL, PVOID, DWORD*) {
  return ERROR_ACCESS_DENIED;
}
DWORD WINAPI WlanGetProfile(HANDLE, const GUID*, LPCWSTR, PVOID, LPWSTR*, DWORD*, PDWORD) {
  return ERROR_ACCESS_DENIED;
}
DWORD WINAPI WlanSetProfilePosition(HANDLE, const GUID*, LPCWSTR, DWORD, PVOID) {
  return ERROR_ACCESS_DENIED;
}
DWORD WINAPI WlanQueryInterface(HANDLE, const GUID*, WLAN_INTF_OPCODE, PVOID, PDWORD, PVOID*, PWLAN_OPCODE_VALUE_TYPE) {
  return ERROR_ACCESS_DENIED;
}
DWORD WINAPI WlanReasonCodeToString(DWORD, DWORD, PWCHAR, PVOID) {
  return ERROR_ACCESS_DENIED;
}
VOID WINAPI WlanFreeMemory(PVOID) {}

}  // extern "C"
