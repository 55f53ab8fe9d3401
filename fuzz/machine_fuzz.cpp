// The stand-in's machine file: any document the loader accepts must be safe for every call.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/standin/api/reset.h"
#include "platform/standin/machine/machine.h"

// The networks in range, and an attempt with the interface's first profile settled a minute on.
static void UseRadio(HANDLE client, const GUID& guid, const WCHAR* profile) {
  WLAN_CONNECTION_PARAMETERS parameters = {wlan_connection_mode_profile, profile, nullptr, nullptr,
                                           dot11_BSS_type_any,           0};
  PWLAN_AVAILABLE_NETWORK_LIST networks = nullptr;
  if (profile != nullptr && WlanConnect(client, &guid, &parameters, nullptr) == 0) Sleep(60000);
  if (WlanScan(client, &guid, nullptr, nullptr, nullptr) != 0 ||
      WlanGetAvailableNetworkList(client, &guid, 0, nullptr, &networks) != 0)
    return;
  for (DWORD n = 0; n < networks->dwNumberOfItems; ++n)
    if (networks->Network[n].strProfileName[255] != 0 || networks->Network[n].dot11Ssid.uSSIDLength > 32)
      __builtin_trap();
  WlanFreeMemory(networks);
}

static void UseEveryPart() {
  DWORD version = 0;
  HANDLE client = nullptr;
  if (WlanOpenHandle(1, nullptr, &version, &client) == 0) {
    PWLAN_INTERFACE_INFO_LIST interfaces = nullptr;
    if (WlanEnumInterfaces(client, nullptr, &interfaces) == 0) {
      for (DWORD i = 0; i < interfaces->dwNumberOfItems; ++i) {
        PWLAN_PROFILE_INFO_LIST profiles = nullptr;
        if (WlanGetProfileList(client, &interfaces->InterfaceInfo[i].InterfaceGuid, nullptr, &profiles) == 0) {
          for (DWORD p = 0; p < profiles->dwNumberOfItems; ++p) {
            if (profiles->ProfileInfo[p].strProfileName[255] != 0) __builtin_trap();
          }
          UseRadio(client, interfaces->InterfaceInfo[i].InterfaceGuid,
                   profiles->dwNumberOfItems > 0 ? profiles->ProfileInfo[0].strProfileName : nullptr);
          WlanFreeMemory(profiles);
        }
        const std::string key = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\" +
                                standin::CanonicalGuid(interfaces->InterfaceInfo[i].InterfaceGuid);
        std::u16string wideKey(key.begin(), key.end());
        HKEY handle = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, wideKey.c_str(), 0, KEY_READ, &handle) == 0) {
          BYTE buffer[16];
          DWORD type = 0, bytes = sizeof buffer;
          RegQueryValueExW(handle, u"ControlFlags", nullptr, &type, buffer, &bytes);
          RegCloseKey(handle);
        }
      }
      WlanFreeMemory(interfaces);
    }
    WlanCloseHandle(client, nullptr);
  }
  SC_HANDLE manager = OpenSCManagerW(u"", u"ServicesActive", SC_MANAGER_ALL_ACCESS);
  if (manager != nullptr) {
    SC_HANDLE service = OpenServiceW(manager, u"WZCSVC", 0x000F003F);
    if (service != nullptr) {
      SERVICE_STATUS_PROCESS status;
      DWORD needed = 0;
      QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<LPBYTE>(&status), sizeof status, &needed);
      CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
  }
  GetTickCount();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/tessamin-fuzz-machine-" + std::to_string(getpid()) + ".json";
  const standin::Json machine = standin::Json::parse(data, data + size, nullptr, false);
  if (machine.is_discarded() || !standin::CheckMachine(machine).empty()) return 0;
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  fwrite(data, 1, size, file);
  fclose(file);
  setenv("TESSAMIN_MACHINE", path.c_str(), 1);
  unsetenv("TESSAMIN_TRACE");
  StandinReset();
  UseEveryPart();
  StandinReset();
  return 0;
}
