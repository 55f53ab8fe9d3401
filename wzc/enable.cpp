#include "wzc/enable.h"

#include <cstdio>
#include <string>

#include "text/code_page.h"
#include "text/print.h"
#include "wlan/session.h"
#include "wzc/service.h"

static const char kInterfacesKey[] = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\";

// The keys are the 64-bit service's: a 32-bit process on 64-bit Windows (WOW64) opens them
// in the 64-bit view, not in the 32-bit one it would see by default.
static REGSAM KeyAccess() {
  BOOL wow64 = FALSE;
  if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) return KEY_READ | KEY_SET_VALUE | KEY_WOW64_64KEY;
  return KEY_READ | KEY_SET_VALUE;
}

static void PrintError(DWORD code, const std::string& what) {
  Print(" - Error(" + std::to_string(static_cast<int>(code)) + "): Unable to " + what + ".\n");
}

// Stops the service before the first write, so that it can't write its own value back; a
// service that is already stopped is what the write needs.
static void StopBeforeWrite() {
  if (StopService()) return;
  const DWORD error = GetLastError();
  if (error != ERROR_SERVICE_NOT_ACTIVE) PrintError(error, "stop service 'WZCSVC'");
}

// The braced GUID with every digit kept, as the service names its registry keys.
static std::string GuidToKeyText(const GUID& guid) {
  char text[39];
  snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned>(guid.Data1),
           static_cast<unsigned>(guid.Data2), static_cast<unsigned>(guid.Data3), guid.Data4[0], guid.Data4[1],
           guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return text;
}

// Sets the bits in one interface's value, stopping the service before the call's first write.
static void EnableInterface(const GUID& guid, const std::string& guidText, REGSAM access, bool& stopped) {
  const WideString keyPath = ToWide(kInterfacesKey + GuidToKeyText(guid));
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, access, &key) != ERROR_SUCCESS) return;
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
        StopBeforeWrite();  // the write goes ahead all the same
      }
      const LSTATUS written =
          RegSetValueExW(key, WTEXT("ControlFlags"), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enabled), size);
      if (written != ERROR_SUCCESS) PrintError(static_cast<DWORD>(written), "enable interface '" + guidText + "'");
    }
  }
  RegCloseKey(key);
}

// Asks the service to start and waits until it runs; one that already runs is fine.
static void StartAfterWrites() {
  if (StartServiceW(WzcServiceHandle, 0, nullptr)) {
    if (WaitForServiceState(WzcServiceHandle, SERVICE_START_PENDING, SERVICE_RUNNING)) return;
  } else if (GetLastError() == ERROR_SERVICE_ALREADY_RUNNING) {
    return;
  }
  PrintError(GetLastError(), "start service 'WZCSVC'");
}

int EnableInterfaces(ValueList limitList) {
  bool stopped = false;
  if (!WifiApiReady()) return -1;
  const REGSAM access = KeyAccess();
  ForEachSelectedInterface(limitList, [&](const WLAN_INTERFACE_INFO& entry, const std::string& guidText) {
    EnableInterface(entry.InterfaceGuid, guidText, access, stopped);
  });
  StartAfterWrites();
  return 0;
}
