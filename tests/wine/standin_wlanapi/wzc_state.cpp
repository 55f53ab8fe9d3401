#include "platform/standin/api/wzc_state.h"

#include <windows.h>

#include <cwchar>

namespace standin {

bool WzcServiceRunning() {
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
  if (manager == nullptr) return false;
  SC_HANDLE service = OpenServiceW(manager, L"WZCSVC", SERVICE_QUERY_STATUS);
  SERVICE_STATUS status = {};
  const bool running =
      service != nullptr && QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_RUNNING;
  if (service != nullptr) CloseServiceHandle(service);
  CloseServiceHandle(manager);
  return running;
}

// The 64-bit view, where WZCSVC keeps its keys, also for the 32-bit DLL under WOW64.
bool WzcManagesInterface(const GUID& guid) {
  wchar_t path[128];
  swprintf(path, sizeof path / sizeof path[0],
           L"SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
           static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2],
           guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
    return false;
  DWORD type = REG_NONE, flags = 0, size = sizeof flags;
  const bool read =
      RegQueryValueExW(key, L"ControlFlags", nullptr, &type, reinterpret_cast<BYTE*>(&flags), &size) == ERROR_SUCCESS &&
      type == REG_DWORD && size == sizeof flags;
  RegCloseKey(key);
  return read && (flags & 0x04008000) == 0x04008000;
}

}  // namespace standin
