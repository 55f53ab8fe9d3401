#include "wlan/networks.h"

#include <algorithm>

#include "text/code_page.h"
#include "text/print.h"
#include "wlan/actions.h"
#include "wlan/profile_list.h"
#include "wlan/reason_text.h"
#include "wlan/session.h"

// Drivers must finish a scan within 4 seconds (a Windows logo rule).
static const DWORD kScanWaitMs = 4000;

void ScanSelectedInterfaces(const ValueList& limitList, bool printFailures) {
  bool scanning = false;
  ForEachSelectedInterface(limitList, [&](const WLAN_INTERFACE_INFO& entry, const std::string& guidText) {
    const DWORD result = WlanScan(wlanSession.clientHandle, &entry.InterfaceGuid, nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS) scanning = true;
    else if (printFailures) PrintError(result, "scan on interface '" + guidText + "'");
  });
  if (scanning) Sleep(kScanWaitMs);
}

PWLAN_AVAILABLE_NETWORK_LIST FetchNetworkList(const GUID& interfaceGuid, DWORD& error) {
  PWLAN_AVAILABLE_NETWORK_LIST networks = nullptr;
  error = WlanGetAvailableNetworkList(wlanSession.clientHandle, &interfaceGuid, 0, nullptr, &networks);
  if (error == ERROR_SUCCESS && networks != nullptr) return networks;
  if (networks != nullptr) WlanFreeMemory(networks);
  if (error == ERROR_SUCCESS) error = ERROR_INVALID_DATA;
  return nullptr;
}

// The profile schema's words for the network's security, a number for what XP does not name.
static std::string SecurityWords(const WLAN_AVAILABLE_NETWORK& network) {
  std::string words;
  switch (network.dot11DefaultAuthAlgorithm) {
    case DOT11_AUTH_ALGO_80211_OPEN: words = "open"; break;
    case DOT11_AUTH_ALGO_80211_SHARED_KEY: words = "shared"; break;
    case DOT11_AUTH_ALGO_WPA: words = "WPA"; break;
    case DOT11_AUTH_ALGO_WPA_PSK: words = "WPAPSK"; break;
    case DOT11_AUTH_ALGO_RSNA: words = "WPA2"; break;
    case DOT11_AUTH_ALGO_RSNA_PSK: words = "WPA2PSK"; break;
    default: words = std::to_string(static_cast<unsigned>(network.dot11DefaultAuthAlgorithm));
  }
  switch (network.dot11DefaultCipherAlgorithm) {
    case DOT11_CIPHER_ALGO_NONE: return words + " none";
    case DOT11_CIPHER_ALGO_WEP40:
    case DOT11_CIPHER_ALGO_WEP104:
    case DOT11_CIPHER_ALGO_WEP: return words + " WEP";
    case DOT11_CIPHER_ALGO_TKIP: return words + " TKIP";
    case DOT11_CIPHER_ALGO_CCMP: return words + " AES";
    default: return words + " " + std::to_string(static_cast<unsigned>(network.dot11DefaultCipherAlgorithm));
  }
}

std::string NetworkVerdict(const WLAN_AVAILABLE_NETWORK& network) {
  if (!network.bNetworkConnectable) {
    const WLAN_REASON_CODE reason = network.wlanNotConnectableReason;
    return "not connectable: (" + std::to_string(static_cast<int>(reason)) + ")" + ReasonText(reason);
  }
  if ((network.dwFlags & WLAN_AVAILABLE_NETWORK_HAS_PROFILE) == 0) return "no profile";
  const std::string name = NameForLine(ToAnsi(network.strProfileName, WLAN_MAX_NAME_LENGTH));
  return "profile '" + name + "'" + ((network.dwFlags & WLAN_AVAILABLE_NETWORK_CONNECTED) ? ", connected" : "");
}

static std::string NetworkLine(const std::string& guidText, const WLAN_AVAILABLE_NETWORK& network) {
  const size_t ssidLength = std::min<size_t>(network.dot11Ssid.uSSIDLength, DOT11_SSID_MAX_LENGTH);
  const std::string ssid(reinterpret_cast<const char*>(network.dot11Ssid.ucSSID), ssidLength);
  return guidText + " / " + NameForLine(ssid) + " / " + std::to_string(network.wlanSignalQuality) + "% / " +
         SecurityWords(network) + " / " + NetworkVerdict(network) + "\n";
}

// For each stored profile of the interface: its network's signal and verdict, or that it is not
// in range; "no profile" when it holds none.
static std::string ProfilesInRange(const GUID& interfaceGuid, const WLAN_AVAILABLE_NETWORK_LIST& networks) {
  DWORD error = ERROR_SUCCESS;
  PWLAN_PROFILE_INFO_LIST profiles = QueryProfileList(&interfaceGuid, error);
  if (profiles == nullptr) return "error " + std::to_string(static_cast<int>(error));
  std::string items = profiles->dwNumberOfItems == 0 ? "no profile" : "";
  for (DWORD p = 0; p < profiles->dwNumberOfItems; ++p) {
    const WideString name = StoredProfileName(profiles->ProfileInfo[p]);
    std::string item = NameForLine(ToAnsi(name.c_str(), name.size()));
    std::string seen = " not in range";
    for (DWORD n = 0; n < networks.dwNumberOfItems; ++n) {
      const WLAN_AVAILABLE_NETWORK& network = networks.Network[n];
      if (!(network.dwFlags & WLAN_AVAILABLE_NETWORK_HAS_PROFILE) || FixedSizeName(network.strProfileName) != name)
        continue;
      seen = " " + std::to_string(network.wlanSignalQuality) + "% ";
      if (!network.bNetworkConnectable)
        seen += "not connectable (" + std::to_string(static_cast<int>(network.wlanNotConnectableReason)) + ")";
      else seen += (network.dwFlags & WLAN_AVAILABLE_NETWORK_CONNECTED) ? "connected" : "connectable";
    }
    items += (p == 0 ? "" : "; ") + item + seen;
  }
  WlanFreeMemory(profiles);
  return items;
}

std::string PrintNetworks(const ValueList& limitList) {
  ScanSelectedInterfaces(limitList, true);
  std::string summary;
  bool headerPrinted = false;
  ForEachSelectedInterface(limitList, [&](const WLAN_INTERFACE_INFO& entry, const std::string& guidText) {
    if (!headerPrinted) Print("Networks By Interface:\n");
    headerPrinted = true;
    summary += (summary.empty() ? "" : "; ") + guidText + ": ";
    DWORD error = ERROR_SUCCESS;
    PWLAN_AVAILABLE_NETWORK_LIST networks = FetchNetworkList(entry.InterfaceGuid, error);
    if (networks == nullptr) {
      PrintError(error, "list the networks of interface '" + guidText + "'");
      summary += "error " + std::to_string(static_cast<int>(error));
      return;
    }
    for (DWORD n = 0; n < networks->dwNumberOfItems; ++n) Print(NetworkLine(guidText, networks->Network[n]));
    summary += ProfilesInRange(entry.InterfaceGuid, *networks);
    WlanFreeMemory(networks);
  });
  if (headerPrinted) Print("\n");
  return summary;
}

int ListNetworks(ValueList limitList) {
  if (!WifiApiReady()) return -1;
  PrintNetworks(limitList);
  return 0;
}
