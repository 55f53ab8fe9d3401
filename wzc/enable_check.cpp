#include "wzc/enable_check.h"

#include <cstdio>
#include <string>

#include "text/print.h"
#include "wlan/session.h"
#include "wzc/enable.h"
#include "wzc/interface_key.h"
#include "wzc/service.h"

// 0 with the value, or the registry's error.
static LSTATUS ReadControlFlags(const GUID& guid, DWORD& flags) {
  HKEY key = nullptr;
  LSTATUS result =
      RegOpenKeyExW(HKEY_LOCAL_MACHINE, InterfaceKeyPath(guid).c_str(), 0, InterfaceKeyAccess(KEY_READ), &key);
  if (result != ERROR_SUCCESS) return result;
  DWORD type = REG_NONE, size = sizeof flags;
  flags = 0;
  result = RegQueryValueExW(key, WTEXT("ControlFlags"), nullptr, &type, reinterpret_cast<LPBYTE>(&flags), &size);
  if (result == ERROR_SUCCESS && (type != REG_DWORD || size != sizeof flags)) result = ERROR_INVALID_DATA;
  RegCloseKey(key);
  return result;
}

static std::string Hex(DWORD value) {
  char text[11];
  snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

int ReportEnableFailures(const ValueList& limitList) {
  int failures = 0;
  if (wlanSession.interfacesLoaded) {
    ForEachSelectedInterface(limitList, [&](const WLAN_INTERFACE_INFO& entry, const std::string& guidText) {
      DWORD flags = 0;
      const LSTATUS result = ReadControlFlags(entry.InterfaceGuid, flags);
      if (result != ERROR_SUCCESS) {
        ++failures;
        PrintError(result, "read ControlFlags of interface '" + guidText + "'");
      } else if ((flags & WzcEnableMask) != WzcEnableMask) {
        ++failures;
        Print(" - Error: Windows does not manage interface '" + guidText + "': ControlFlags is " + Hex(flags) + ".\n");
      }
    });
  }
  SERVICE_STATUS_PROCESS status = {};
  DWORD needed = 0;
  if (!QueryServiceStatusEx(WzcServiceHandle, SC_STATUS_PROCESS_INFO, reinterpret_cast<LPBYTE>(&status), sizeof status,
                            &needed)) {
    ++failures;
    PrintError(GetLastError(), "query the Wireless Zero Configuration service");
  } else if (status.dwCurrentState != SERVICE_RUNNING) {
    ++failures;
    Print(" - Error: The Wireless Zero Configuration service is not running.\n");
  }
  return failures;
}
