#include "wzc/enable.h"

#include <cstdio>
#include <string>

#include "text/code_page.h"
#include "wlan/session.h"
#include "wzc/interface_key.h"
#include "wzc/service.h"

static const REGSAM kKeyAccess = KEY_READ | KEY_SET_VALUE;

// Sets the bits in one interface's value, stopping the service before the call's first write.
static void EnableInterface(const GUID& guid, bool& stopped) {
  const WideString keyPath = InterfaceKeyPath(guid);
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, kKeyAccess, &key) != ERROR_SUCCESS) return;
  DWORD type = REG_NONE;
  DWORD flags = 0;
  DWORD size = sizeof flags;
  const LSTATUS queried =
      RegQueryValueExW(key, WTEXT("ControlFlags"), nullptr, &type, reinterpret_cast<LPBYTE>(&flags), &size);
  // Anything but a 4-byte REG_DWORD is left alone: rewriting it would change its type or size.
  if (queried == ERROR_SUCCESS && type == REG_DWORD && size == sizeof flags) {
    const DWORD enabled = flags | WzcEnableMask;
    if (enabled != flags) {
      if (!stopped) {
        stopped = true;
        StopService();
      }
      RegSetValueExW(key, WTEXT("ControlFlags"), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enabled), size);
    }
  }
  RegCloseKey(key);
}

int EnableInterfaces(ValueList limitList) {
  bool stopped = false;
  if (!WifiApiReady()) return -1;
  ForEachSelectedInterface(limitList, [&](const WLAN_INTERFACE_INFO& entry, const std::string&) {
    EnableInterface(entry.InterfaceGuid, stopped);
  });
  if (StartServiceW(WzcServiceHandle, 0, nullptr))
    WaitForServiceState(WzcServiceHandle, SERVICE_START_PENDING, SERVICE_RUNNING);
  return 0;
}
