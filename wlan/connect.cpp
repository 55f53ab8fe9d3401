// -connect NAME. XP's WlanConnect returns at once, and a single-threaded program learns how the
// attempt ended only by asking the interface: each is asked once a second, up to a bound. The
// network is looked for first, as XP, asked to join a network it can't, drops the one it is
// on. WlanDisconnect is never called: on XP it makes the profile one that WZC no longer joins
// by itself.
#include <algorithm>
#include <vector>

#include "text/code_page.h"
#include "text/print.h"
#include "wlan/networks.h"
#include "wlan/profile_list.h"
#include "wlan/session.h"
#include "wlan/status.h"

static const DWORD kConnectBoundMs = 30000;
static const DWORD kConnectPollMs = 1000;

// -connect on one selected interface.
struct ConnectAttempt {
  GUID guid;
  std::string guidText;
  std::string what;       // "connect interface 'GUID' to AP 'NAME'"
  bool holdsName = true;  // false: the interface holds no profile of that name
  WideString storedName;  // the profile's name as stored
  bool waiting = false;   // WlanConnect took the attempt; its end is not known yet
  bool connected = false;
  std::string line;  // why it did not connect
};

// The stored name that the typed one names on the interface: 0, ERROR_NOT_FOUND, or why the
// profiles can't be had.
static DWORD FindStoredName(const GUID& guid, const std::string& name, WideString& storedName) {
  DWORD error = ERROR_SUCCESS;
  PWLAN_PROFILE_INFO_LIST profiles = QueryProfileList(&guid, error);
  if (profiles == nullptr) return error;
  const WideString wideName = ToWide(name);
  for (DWORD p = 0; p < profiles->dwNumberOfItems && storedName.empty(); ++p) {
    const WCHAR* stored = profiles->ProfileInfo[p].strProfileName;
    if (IsProfileNamed(stored, ToAnsi(stored, WLAN_MAX_NAME_LENGTH), name, wideName))
      storedName = FixedSizeName(stored);
  }
  WlanFreeMemory(profiles);
  return storedName.empty() ? ERROR_NOT_FOUND : ERROR_SUCCESS;
}

static bool IsConnectedTo(const GUID& guid, const WideString& storedName) {
  WLAN_INTERFACE_STATE state = wlan_interface_state_not_ready;
  WLAN_CONNECTION_ATTRIBUTES connection;
  return QueryValue(guid, wlan_intf_opcode_interface_state, &state, sizeof state) == ERROR_SUCCESS &&
         state == wlan_interface_state_connected &&
         QueryValue(guid, wlan_intf_opcode_current_connection, &connection, sizeof connection) == ERROR_SUCCESS &&
         FixedSizeName(connection.strProfileName) == storedName;
}

// Looks for the profile's network in the interface's list: joined already, joined now, or a
// line that says why not.
static void StartAttempt(ConnectAttempt& attempt) {
  DWORD error = ERROR_SUCCESS;
  PWLAN_AVAILABLE_NETWORK_LIST networks = FetchNetworkList(attempt.guid, error);
  if (networks == nullptr) {
    attempt.line = ErrorLine(error, attempt.what);
    return;
  }
  const WLAN_AVAILABLE_NETWORK* found = nullptr;
  for (DWORD n = 0; n < networks->dwNumberOfItems && found == nullptr; ++n) {
    const WLAN_AVAILABLE_NETWORK& network = networks->Network[n];
    if ((network.dwFlags & WLAN_AVAILABLE_NETWORK_HAS_PROFILE) &&
        FixedSizeName(network.strProfileName) == attempt.storedName)
      found = &network;
  }
  if (found == nullptr) {
    attempt.line = " - Error: Unable to " + attempt.what + ": its network is not in range.\n";
  } else if (!found->bNetworkConnectable) {
    attempt.line = " - Error: Unable to " + attempt.what + ": " + NetworkVerdict(*found) + "\n";
  } else if (found->dwFlags & WLAN_AVAILABLE_NETWORK_CONNECTED) {
    attempt.connected = true;
  } else {
    WLAN_CONNECTION_PARAMETERS parameters = {};
    parameters.wlanConnectionMode = wlan_connection_mode_profile;
    parameters.strProfile = attempt.storedName.c_str();
    parameters.dot11BssType = found->dot11BssType;
    const DWORD result = WlanConnect(wlanSession.clientHandle, &attempt.guid, &parameters, nullptr);
    attempt.waiting = result == ERROR_SUCCESS;
    if (result != ERROR_SUCCESS) attempt.line = ErrorLine(result, attempt.what);
  }
  WlanFreeMemory(networks);
}

// Asks each interface once a second whether its attempt has connected, for at most the bound.
static void AwaitConnections(std::vector<ConnectAttempt>& attempts) {
  const auto waiting = [](const ConnectAttempt& attempt) { return attempt.waiting; };
  const DWORD start = GetTickCount();
  while (std::any_of(attempts.begin(), attempts.end(), waiting)) {
    Sleep(kConnectPollMs);
    for (ConnectAttempt& attempt : attempts) {
      if (!attempt.waiting || !IsConnectedTo(attempt.guid, attempt.storedName)) continue;
      attempt.waiting = false;
      attempt.connected = true;
    }
    if (GetTickCount() - start >= kConnectBoundMs) break;
  }
}

bool ConnectAp(const std::string& name, const ValueList& limitList) {
  if (!WifiApiReady()) return false;
  const std::string shownName = NameForLine(name);
  std::vector<ConnectAttempt> attempts;
  ForEachSelectedInterface(limitList, [&](const WLAN_INTERFACE_INFO& entry, const std::string& guidText) {
    ConnectAttempt attempt;
    attempt.guid = entry.InterfaceGuid;
    attempt.guidText = guidText;
    attempt.what = "connect interface '" + guidText + "' to AP '" + shownName + "'";
    const DWORD result = FindStoredName(entry.InterfaceGuid, name, attempt.storedName);
    attempt.holdsName = result != ERROR_NOT_FOUND;
    if (result == ERROR_NOT_FOUND) attempt.line = " - Error: Unable to " + attempt.what + ": it holds no such AP.\n";
    else if (result != ERROR_SUCCESS) attempt.line = ErrorLine(result, attempt.what);
    attempts.push_back(attempt);
  });
  const auto toStart = [](const ConnectAttempt& attempt) { return attempt.line.empty(); };
  if (std::any_of(attempts.begin(), attempts.end(), toStart)) ScanSelectedInterfaces(limitList, false);
  for (ConnectAttempt& attempt : attempts)
    if (toStart(attempt)) StartAttempt(attempt);
  AwaitConnections(attempts);
  bool joined = false, failed = attempts.empty();
  for (ConnectAttempt& attempt : attempts) {
    if (attempt.connected)
      attempt.line = " - Connected interface '" + attempt.guidText + "' to AP '" + shownName + "'.\n";
    else if (attempt.line.empty())
      attempt.line = " - Error: Unable to " + attempt.what +
                     ": no connection within 30 seconds (a wrong key, or the network refused it).\n";
    Print(attempt.line);
    joined |= attempt.connected;
    failed |= attempt.holdsName && !attempt.connected;
  }
  if (attempts.empty()) Print(" - Error: Unable to connect to AP '" + shownName + "': no wireless interface.\n");
  return joined && !failed;
}
