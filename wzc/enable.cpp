#include "wzc/enable.h"

#include <cstdio>
#include <string>

#include "text/code_page.h"
#include "text/print.h"
#include "wlan/session.h"
#include "wzc/interface_key.h"
#include "wzc/service.h"

// Stops the service before the first write, so that it can't write its own value back; a
// service that is already stopped is what the write needs. 1 for a stop that failed.
static int StopBeforeWrite() {
  if (StopService()) return 0;
  const DWORD error = GetLastError();
  if (error == ERROR_SERVICE_NOT_ACTIVE) return 0;
  PrintError(error, "stop service 'WZCSVC'");
  return 1;
}

// Sets the bits in one interface's value, stopping the service before the call's first write.
// The number of failures it printed.
static int EnableInterface(const GUID& guid, const std::string& guidText, REGSAM access, bool& stopped) {
  const WideString keyPath = InterfaceKeyPath(guid);
  HKEY key = nullptr;
  int failures = 0;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, access, &key) != ERROR_SUCCESS) return 0;
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
        failures += StopBeforeWrite();  // the write goes ahead all the same
      }
      const LSTATUS written =
          RegSetValueExW(key, WTEXT("ControlFlags"), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enabled), size);
      if (written != ERROR_SUCCESS) {
        ++failures;
        PrintError(static_cast<DWORD>(written), "enable interface '" + guidText + "'");
      }
    }
  }
  RegCloseKey(key);
  return failures;
}

// Asks the service to start and waits until it runs; one that already runs is fine. 1 for a
// start that failed.
static int StartAfterWrites() {
  if (StartServiceW(WzcServiceHandle, 0, nullptr)) {
    if (WaitForServiceState(WzcServiceHandle, SERVICE_START_PENDING, SERVICE_RUNNING)) return 0;
  } else if (GetLastError() == ERROR_SERVICE_ALREADY_RUNNING) {
    return 0;
  }
  PrintError(GetLastError(), "start service 'WZCSVC'");
  return 1;
}

int EnableInterfaces(ValueList limitList) {
  bool stopped = false;
  if (!WifiApiReady()) return -1;
  const REGSAM access = InterfaceKeyAccess(KEY_READ | KEY_SET_VALUE);
  int failures = 0;
  ForEachSelectedInterface(limitList, [&](const WLAN_INTERFACE_INFO& entry, const std::string& guidText) {
    failures += EnableInterface(entry.InterfaceGuid, guidText, access, stopped);
  });
  return failures + StartAfterWrites();
}
