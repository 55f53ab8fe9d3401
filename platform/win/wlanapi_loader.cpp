// The Native Wifi functions, found in wlanapi.dll at run time: the library exists on XP
// only with the wireless LAN API update, and an exe that imported it would not start at
// all without it. Where it is missing, opening the client fails and each action reports it.
#include <cstring>

#include "platform/platform.h"

namespace {

// wlanapi.dll from the system folder and nowhere else: a bare name would search the exe's
// folder first and, where the update is missing, the current folder and PATH, so a planted
// DLL would run with the administrator's rights. SetDllDirectoryW(L"") takes the current
// folder out of the search for the libraries wlanapi.dll itself loads; it is looked up
// rather than imported, which keeps the exe's imports to what every XP SP2 kernel32 has.
HMODULE LoadSystemWlanLibrary() {
  WCHAR path[MAX_PATH];
  const wchar_t fileName[] = L"\\wlanapi.dll";
  const UINT length = GetSystemDirectoryW(path, MAX_PATH);
  if (length == 0 || length + sizeof fileName / sizeof fileName[0] > MAX_PATH) return nullptr;
  memcpy(path + length, fileName, sizeof fileName);

  typedef BOOL(WINAPI * SetDllDirectoryFunction)(LPCWSTR);
  const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  const auto setDllDirectory = kernel32 ? reinterpret_cast<SetDllDirectoryFunction>(
                                              reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDllDirectoryW")))
                                        : nullptr;
  if (setDllDirectory) setDllDirectory(L"");

  // No "cannot find the file" box when the update is missing: the actions report it. The
  // flag is added to the inherited mode (XP has no GetErrorMode: setting it reads it).
  const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  SetErrorMode(previousMode | SEM_FAILCRITICALERRORS);
  const HMODULE library = LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  SetErrorMode(previousMode);
  return library;
}

// Loaded once per process, at the first Native Wifi call.
HMODULE WlanLibrary() {
  static const HMODULE library = LoadSystemWlanLibrary();
  return library;
}

template <typename Function>
Function FindWlanFunction(const char* name) {
  const HMODULE library = WlanLibrary();
  return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

}  // namespace

#define WLAN_FUNCTION(name) static const auto real = FindWlanFunction<decltype(&name)>(#name)

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

extern "C" DWORD WINAPI WlanGetProfile(HANDLE hClientHandle, const GUID* pInterfaceGuid, LPCWSTR strProfileName,
                                       PVOID pReserved, LPWSTR* pstrProfileXml, DWORD* pdwFlags,
                                       PDWORD pdwGrantedAccess) {
  WLAN_FUNCTION(WlanGetProfile);
  return real ? real(hClientHandle, pInterfaceGuid, strProfileName, pReserved, pstrProfileXml, pdwFlags,
                     pdwGrantedAccess)
              : ERROR_PROC_NOT_FOUND;
}

extern "C" DWORD WINAPI WlanSetProfilePosition(HANDLE hClientHandle, const GUID* pInterfaceGuid, LPCWSTR strProfileName,
                                               DWORD dwPosition, PVOID pReserved) {
  WLAN_FUNCTION(WlanSetProfilePosition);
  return real ? real(hClientHandle, pInterfaceGuid, strProfileName, dwPosition, pReserved) : ERROR_PROC_NOT_FOUND;
}

extern "C" DWORD WINAPI WlanQueryInterface(HANDLE hClientHandle, const GUID* pInterfaceGuid, WLAN_INTF_OPCODE OpCode,
                                           PVOID pReserved, PDWORD pdwDataSize, PVOID* ppData,
                                           PWLAN_OPCODE_VALUE_TYPE pWlanOpcodeValueType) {
  WLAN_FUNCTION(WlanQueryInterface);
  return real ? real(hClientHandle, pInterfaceGuid, OpCode, pReserved, pdwDataSize, ppData, pWlanOpcodeValueType)
              : ERROR_PROC_NOT_FOUND;
}

extern "C" DWORD WINAPI WlanReasonCodeToString(DWORD dwReasonCode, DWORD dwBufferSize, PWCHAR pStringBuffer,
                                               PVOID pReserved) {
  WLAN_FUNCTION(WlanReasonCodeToString);
  return real ? real(dwReasonCode, dwBufferSize, pStringBuffer, pReserved) : ERROR_PROC_NOT_FOUND;
}

extern "C" DWORD WINAPI WlanScan(HANDLE hClientHandle, const GUID* pInterfaceGuid, const PDOT11_SSID pDot11Ssid,
                                 const PWLAN_RAW_DATA pIeData, PVOID pReserved) {
  WLAN_FUNCTION(WlanScan);
  return real ? real(hClientHandle, pInterfaceGuid, pDot11Ssid, pIeData, pReserved) : ERROR_PROC_NOT_FOUND;
}

extern "C" DWORD WINAPI WlanGetAvailableNetworkList(HANDLE hClientHandle, const GUID* pInterfaceGuid, DWORD dwFlags,
                                                    PVOID pReserved,
                                                    PWLAN_AVAILABLE_NETWORK_LIST* ppAvailableNetworkList) {
  WLAN_FUNCTION(WlanGetAvailableNetworkList);
  return real ? real(hClientHandle, pInterfaceGuid, dwFlags, pReserved, ppAvailableNetworkList) : ERROR_PROC_NOT_FOUND;
}

extern "C" DWORD WINAPI WlanConnect(HANDLE hClientHandle, const GUID* pInterfaceGuid,
                                    const PWLAN_CONNECTION_PARAMETERS pConnectionParameters, PVOID pReserved) {
  WLAN_FUNCTION(WlanConnect);
  return real ? real(hClientHandle, pInterfaceGuid, pConnectionParameters, pReserved) : ERROR_PROC_NOT_FOUND;
}

extern "C" VOID WINAPI WlanFreeMemory(PVOID pMemory) {
  WLAN_FUNCTION(WlanFreeMemory);
  if (real) real(pMemory);
}
