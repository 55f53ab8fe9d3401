#include "wlan/status.h"

#include <cstring>

#include "text/code_page.h"
#include "text/print.h"
#include "wlan/actions.h"
#include "wlan/session.h"

DWORD QueryValue(const GUID& guid, WLAN_INTF_OPCODE opcode, void* value, DWORD size) {
  DWORD dataSize = 0;
  PVOID data = nullptr;
  DWORD result = WlanQueryInterface(wlanSession.clientHandle, &guid, opcode, nullptr, &dataSize, &data, nullptr);
  if (result != ERROR_SUCCESS) return result;
  if (data == nullptr || dataSize < size) result = ERROR_INVALID_DATA;
  else memcpy(value, data, size);
  if (data != nullptr) WlanFreeMemory(data);
  return result;
}

// A vendor's utility that has taken the adapter over is why a stored profile never connects:
// Windows then does not manage the interface.
static DWORD ConnectionState(const GUID& guid, std::string& state) {
  BOOL managed = FALSE;
  DWORD result = QueryValue(guid, wlan_intf_opcode_autoconf_enabled, &managed, sizeof managed);
  if (result != ERROR_SUCCESS) return result;
  if (!managed) {
    state = "not managed by Windows";
    return ERROR_SUCCESS;
  }
  WLAN_INTERFACE_STATE interfaceState = wlan_interface_state_not_ready;
  result = QueryValue(guid, wlan_intf_opcode_interface_state, &interfaceState, sizeof interfaceState);
  if (result != ERROR_SUCCESS) return result;
  if (interfaceState == wlan_interface_state_disconnected) {
    state = "disconnected";
  } else if (interfaceState == wlan_interface_state_connected ||
             interfaceState == wlan_interface_state_authenticating) {
    WLAN_CONNECTION_ATTRIBUTES connection;
    result = QueryValue(guid, wlan_intf_opcode_current_connection, &connection, sizeof connection);
    if (result != ERROR_SUCCESS) return result;
    const std::string name = NameForLine(ToAnsi(connection.strProfileName, WLAN_MAX_NAME_LENGTH));
    state =
        (interfaceState == wlan_interface_state_connected ? "connected to '" : "authenticating with '") + name + "'";
  } else {
    state = "in state " + std::to_string(static_cast<int>(interfaceState));  // XP reports no other
  }
  return ERROR_SUCCESS;
}

std::string PrintConnections(const ValueList& limitList) {
  std::string states;
  bool headerPrinted = false;
  ForEachSelectedInterface(limitList, [&](const WLAN_INTERFACE_INFO& entry, const std::string& guidText) {
    if (!headerPrinted) Print("Connections By Interface:\n");
    headerPrinted = true;
    std::string state;
    const DWORD result = ConnectionState(entry.InterfaceGuid, state);
    const std::string code = std::to_string(static_cast<int>(result));
    if (result == ERROR_SUCCESS)
      Print(guidText + " / " + NameForLine(ToAnsi(entry.strInterfaceDescription, WLAN_MAX_NAME_LENGTH)) + " / " +
            state + "\n");
    else PrintError(result, "query interface '" + guidText + "'");
    states += (states.empty() ? "" : "; ") + guidText + ": " + (result == ERROR_SUCCESS ? state : "error " + code);
  });
  if (headerPrinted) Print("\n");
  return states;
}

int ReportUnmanagedInterfaces(const ValueList& limitList) {
  int unmanaged = 0;
  ForEachSelectedInterface(limitList, [&](const WLAN_INTERFACE_INFO& entry, const std::string& guidText) {
    BOOL managed = TRUE;
    if (QueryValue(entry.InterfaceGuid, wlan_intf_opcode_autoconf_enabled, &managed, sizeof managed) != ERROR_SUCCESS ||
        managed)
      return;  // a failed query shows in the connections that follow
    ++unmanaged;
    Print(" - Error: Windows does not manage interface '" + guidText + "': run with enable (-enable).\n");
  });
  return unmanaged;
}

int ListStatus(ValueList limitList) {
  if (!WifiApiReady()) return -1;
  PrintConnections(limitList);
  return 0;
}
