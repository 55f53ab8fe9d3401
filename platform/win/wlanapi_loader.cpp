// The Native Wifi functions, found in wlanapi.dll at run time: the library exists on XP
// only with the wireless LAN API update, and an exe that imported it would not start at
// all without it. Where it is missing, opening the client fails and each action reports it.
#include "platform/platform.h"

namespace {

template <typename Function>
Function FindWlanFunction(const char* name) {
  static HMODULE library = LoadLibraryW(L"wlanapi.dll");
  return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

}  // namespace

#define WLAN_FUNCTION(name) \
  static const auto real = FindWlanFunction<decltype(&name)>(#name)

extern "C" DWORD WINAPI WlanOpenHandle(DWORD dwClientVersion, PVOID pReserved, PDWORD pdwNegotiatedVersion,
                                       PHANDLE phClientHandle) {
  WLAN_FUNCTION(WlanOpenHandle);
  return real ? real(dwClientVersion, pReserved, pdwNegotiatedVersion, phClientHandle) : ERROR_MOD_NOT_FOUND;
}

extern "C" DWORD WINAPI WlanCloseHandle(HANDLE hClientHandle, PVOID pReserved) {
  WLAN_FUNCTION(WlanCloseHandle);
  return real ? real(hClientHandle, pReserved) : ERROR_INVALID_HANDLE;
}

extern "C" DWORD WINAPI WlanEnumInterfaces(HANDLE hClientHandle, PVOID pReserved,
                                           PWLAN_INTERFACE_INFO_LIST* ppInterfaceList) {
  WLAN_FUNCTION(WlanEnumInterfaces);
  return real ? real(hClientHandle, pReserved, ppInterfaceList) : ERROR_PROC_NOT_FOUND;
}

extern "C" DWORD WINAPI WlanGetProfileList(HANDLE hClientHandle, const GUID* pInterfaceGuid, PVOID pReserved,
                                           PWLAN_PROFILE_INFO_LIST* ppProfileList) {
  WLAN_FUNCTION(WlanGetProfileList);
  return real ? real(hClientHandle, pInterfaceGuid, pReserved, ppProfileList) : ERROR_PROC_NOT_FOUND;
}

extern "C" DWORD WINAPI WlanDeleteProfile(HANDLE hClientHandle, const GUID* pInterfaceGuid, LPCWSTR strProfileName,
                                          PVOID pReserved) {
  WLAN_FUNCTION(WlanDeleteProfile);
  return real ? real(hClientHandle, pInterfaceGuid, strProfileName, pReserved) : ERROR_PROC_NOT_FOUND;
}

extern "C" DWORD WINAPI WlanSetProfile(HANDLE hClientHandle, const GUID* pInterfaceGuid, DWORD dwFlags,
                                       LPCWSTR strProfileXml, LPCWSTR strAllUserProfileSecurity, WINBOOL bOverwrite,
                                       PVOID pReserved, DWORD* pdwReasonCode) {
  WLAN_FUNCTION(WlanSetProfile);
  return real ? real(hClientHandle, pInterfaceGuid, dwFlags, strProfileXml, strAllUserProfileSecurity, bOverwrite,
                     pReserved, pdwReasonCode)
              : ERROR_PROC_NOT_FOUND;
}

extern "C" DWORD WINAPI WlanReasonCodeToString(DWORD dwReasonCode, DWORD dwBufferSize, PWCHAR pStringBuffer,
                                               PVOID pReserved) {
  WLAN_FUNCTION(WlanReasonCodeToString);
  return real ? real(dwReasonCode, dwBufferSize, pStringBuffer, pReserved) : ERROR_PROC_NOT_FOUND;
}

extern "C" VOID WINAPI WlanFreeMemory(PVOID pMemory) {
  WLAN_FUNCTION(WlanFreeMemory);
  if (real) real(pMemory);
}
