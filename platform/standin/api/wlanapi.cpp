// wlanapi: the Native Wifi client over the machine's "wlan" member.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/standin/api/clock.h"
#include "platform/standin/api/reset.h"
#include "platform/standin/api/wzc_state.h"
#include "platform/standin/machine/machine.h"
#include "platform/standin/machine/radio.h"
#include "platform/standin/machine/trace.h"
#include "platform/standin/profiles/profile_rules.h"
#include "platform/standin/profiles/profile_text.h"
#include "platform/standin/text/unicode.h"

namespace standin {

static std::set<HANDLE> clientHandles;
static std::set<void*> allocations;
static char clientTokens[64];  // addresses that serve as client handles
static size_t nextToken = 0;

void ResetWlan() {
  clientHandles.clear();
  for (void* block : allocations) free(block);
  allocations.clear();
  nextToken = 0;
}

static void* Allocate(size_t size) {
  void* block = calloc(1, size);
  if (block != nullptr) allocations.insert(block);
  return block;
}

// A UTF-8 text as a NUL-terminated UTF-16 name of the platform's size, cut to fit.
static void CopyName(const std::string& text, WCHAR (&target)[WLAN_MAX_NAME_LENGTH]) {
  CopyUtf16(Utf8ToUtf16(text), target, WLAN_MAX_NAME_LENGTH);
}

static std::u16string StoredName(const Json& profile) {
  std::u16string wide = Utf8ToUtf16(StringMember(profile, "name"));
  if (wide.size() > 255) wide.resize(255);
  return wide;
}

// The stored profile of that name on the interface; null when it holds none.
static const Json* FindProfile(const Json& entry, const std::u16string& name) {
  const Json& profiles = MemberOrNull(entry, "profiles");
  if (!profiles.is_array()) return nullptr;
  for (const Json& profile : profiles)
    if (StoredName(profile) == name) return &profile;
  return nullptr;
}

static WLAN_INTERFACE_STATE InterfaceState(const Json& entry) {
  const std::string state = StringMember(entry, "state");
  if (state == "connected") return wlan_interface_state_connected;
  if (state == "authenticating") return wlan_interface_state_authenticating;
  return wlan_interface_state_disconnected;
}

static const Json& WlanMember(const Json& machine) {
  return MemberOrNull(machine, "wlan");
}

static bool IsClient(HANDLE handle) {
  return clientHandles.count(handle) != 0;
}

// Why a call can't be served on this client handle, or 0: a null handle is a bad argument, one
// that is not open no handle at all; XP's API works through WZCSVC, so with the service down
// every call on an open handle fails.
static DWORD ClientError(HANDLE handle) {
  if (handle == nullptr) return ERROR_INVALID_PARAMETER;
  if (!IsClient(handle)) return ERROR_INVALID_HANDLE;
  return WzcServiceRunning() ? ERROR_SUCCESS : RPC_S_SERVER_UNAVAILABLE;
}

// XP looks at the service before the arguments, and opens a handle of version 1 whatever
// version the client asks for.
static DWORD OpenHandle(PVOID reserved, PDWORD negotiated, PHANDLE handle) {
  const Json* machine = Machine();
  if (machine == nullptr) return ERROR_INVALID_DATA;
  if (!WzcServiceRunning()) return ERROR_SERVICE_NOT_ACTIVE;
  if (reserved != nullptr || negotiated == nullptr || handle == nullptr) return ERROR_INVALID_PARAMETER;
  const DWORD openError = NumberMember(WlanMember(*machine), "openError");
  if (openError != 0) return openError;
  if (nextToken == sizeof clientTokens) return ERROR_NOT_ENOUGH_MEMORY;
  *negotiated = 1;
  *handle = &clientTokens[nextToken++];
  clientHandles.insert(*handle);
  return ERROR_SUCCESS;
}

static bool AttemptEnded(const Json& entry) {
  const Json& attempt = MemberOrNull(entry, "connecting");
  return attempt.is_object() && static_cast<int32_t>(VirtualTicks() - NumberMember(attempt, "untilTick")) >= 0;
}

// A connection attempt whose time is up ends when something reads the interface's state:
// connected when its network takes the profile; disconnected otherwise, as XP has dropped the
// network it was on.
static void SettleAttempts() {
  const Json* machine = Machine();
  if (machine == nullptr) return;
  const Json& interfaces = MemberOrNull(WlanMember(*machine), "interfaces");
  if (!interfaces.is_array() || std::none_of(interfaces.begin(), interfaces.end(), AttemptEnded)) return;
  ChangeMachine([](Json& newest) -> DWORD {
    if (!MemberOrNull(WlanMember(newest), "interfaces").is_array()) return ERROR_INVALID_STATE;
    bool settled = false;
    for (Json& entry : newest["wlan"]["interfaces"]) {
      if (!AttemptEnded(entry)) continue;
      const std::string name = StringMember(entry["connecting"], "profile");
      const bool joined = JoinSucceeds(entry, name);
      entry.erase("connecting");
      entry["state"] = joined ? "connected" : "disconnected";
      if (!joined) entry.erase("connectedTo");
      settled = true;
    }
    return settled ? ERROR_SUCCESS : ERROR_INVALID_STATE;  // nothing to save
  });
}

// The interface a call reads, once the attempts whose time is up have settled: 0 with its entry,
// `absent` when the machine has no such interface, or the error that its member injects.
static DWORD ReadInterface(const GUID& guid, DWORD absent, const char* errorMember, const Json*& entry) {
  SettleAttempts();
  const Json* machine = Machine();
  if (machine == nullptr) return ERROR_INVALID_DATA;
  entry = FindInterface(*machine, guid);
  return entry == nullptr ? absent : NumberMember(*entry, errorMember);
}

static DWORD EnumInterfaces(HANDLE handle, PVOID reserved, PWLAN_INTERFACE_INFO_LIST* list) {
  if (const DWORD error = ClientError(handle)) return error;
  if (reserved != nullptr || list == nullptr) return ERROR_INVALID_PARAMETER;
  SettleAttempts();
  const Json* machine = Machine();
  if (machine == nullptr) return ERROR_INVALID_DATA;
  const DWORD enumError = NumberMember(WlanMember(*machine), "enumError");
  if (enumError != 0) return enumError;
  const Json& interfaces = MemberOrNull(WlanMember(*machine), "interfaces");
  // An adapter that XP has not listed yet, as after a restart of WZCSVC or a card put in late.
  const bool listed = VirtualTicks() >= NumberMember(WlanMember(*machine), "interfacesFromTick");
  const size_t count = interfaces.is_array() && listed ? interfaces.size() : 0;
  PWLAN_INTERFACE_INFO_LIST result = static_cast<PWLAN_INTERFACE_INFO_LIST>(
      Allocate(offsetof(WLAN_INTERFACE_INFO_LIST, InterfaceInfo) + (count ? count : 1) * sizeof(WLAN_INTERFACE_INFO)));
  if (result == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
  result->dwNumberOfItems = static_cast<DWORD>(count);
  for (size_t i = 0; i < count; ++i) {
    WLAN_INTERFACE_INFO& entry = result->InterfaceInfo[i];
    ParseGuid(StringMember(interfaces[i], "guid"), entry.InterfaceGuid);
    CopyName(StringMember(interfaces[i], "description"), entry.strInterfaceDescription);
    entry.isState = InterfaceState(interfaces[i]);
  }
  *list = result;
  return ERROR_SUCCESS;
}

static DWORD GetProfileList(HANDLE handle, const GUID* guid, PVOID reserved, PWLAN_PROFILE_INFO_LIST* list) {
  if (const DWORD error = ClientError(handle)) return error;
  if (guid == nullptr || reserved != nullptr || list == nullptr) return ERROR_INVALID_PARAMETER;
  const Json* machine = Machine();
  if (machine == nullptr) return ERROR_INVALID_DATA;
  const Json* entry = FindInterface(*machine, *guid);
  if (entry == nullptr) return ERROR_NOT_FOUND;
  const DWORD listError = NumberMember(*entry, "profileListError");
  if (listError != 0) return listError;
  const Json& profiles = MemberOrNull(*entry, "profiles");
  const size_t count = profiles.is_array() ? profiles.size() : 0;
  PWLAN_PROFILE_INFO_LIST result = static_cast<PWLAN_PROFILE_INFO_LIST>(
      Allocate(offsetof(WLAN_PROFILE_INFO_LIST, ProfileInfo) + (count ? count : 1) * sizeof(WLAN_PROFILE_INFO)));
  if (result == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
  result->dwNumberOfItems = static_cast<DWORD>(count);
  for (size_t i = 0; i < count; ++i) CopyName(StringMember(profiles[i], "name"), result->ProfileInfo[i].strProfileName);
  *list = result;
  return ERROR_SUCCESS;
}

// Changes the machine through `change`, given the interface and the place in its list of the
// profile stored as `name`; ERROR_NOT_FOUND when the interface holds no such profile.
static DWORD ChangeStoredProfile(HANDLE handle, const GUID* guid, LPCWSTR name, PVOID reserved,
                                 const std::function<DWORD(Json& entry, Json& profiles, size_t at)>& change) {
  if (const DWORD error = ClientError(handle)) return error;
  if (guid == nullptr || name == nullptr || reserved != nullptr) return ERROR_INVALID_PARAMETER;
  const std::u16string wanted = Utf16Text(name);
  return ChangeMachine([&](Json& machine) -> DWORD {
    Json* entry = FindInterface(machine, *guid);
    if (entry == nullptr || !MemberOrNull(*entry, "profiles").is_array()) return ERROR_NOT_FOUND;
    Json& profiles = (*entry)["profiles"];
    for (size_t at = 0; at < profiles.size(); ++at)
      if (StoredName(profiles[at]) == wanted) return change(*entry, profiles, at);
    return ERROR_NOT_FOUND;
  });
}

static DWORD DeleteProfile(HANDLE handle, const GUID* guid, LPCWSTR name, PVOID reserved) {
  return ChangeStoredProfile(handle, guid, name, reserved, [](Json& entry, Json& profiles, size_t at) -> DWORD {
    if (const DWORD deleteError = NumberMember(profiles[at], "deleteError")) return deleteError;
    const std::u16string deleted = StoredName(profiles[at]);
    profiles.erase(at);
    // The connection that used the profile, or the attempt to make one, ends with it.
    if (Utf8ToUtf16(StringMember(entry, "connectedTo")) == deleted) {
      entry["state"] = "disconnected";
      entry.erase("connectedTo");
      entry.erase("connecting");
    }
    return 0;
  });
}

// Where a new profile goes: infrastructure profiles first, each new one at the top of its group.
static size_t InsertionPoint(const Json& profiles, bool adHoc) {
  if (!adHoc) return 0;
  size_t point = 0;
  for (size_t i = 0; i < profiles.size(); ++i)
    if (!IsAdHocName(StringMember(profiles[i], "name"))) point = i + 1;
  return point;
}

static DWORD SetProfile(HANDLE handle, const GUID* guid, DWORD flags, LPCWSTR xml, LPCWSTR security, BOOL overwrite,
                        PVOID reserved, DWORD* reasonCode, std::string& name) {
  if (const DWORD error = ClientError(handle)) return error;
  // XP stores all-user profiles only, with the default security.
  if (guid == nullptr || xml == nullptr || reserved != nullptr || reasonCode == nullptr || flags != 0 ||
      security != nullptr)
    return ERROR_INVALID_PARAMETER;
  const Json* current = Machine();
  if (current == nullptr) return ERROR_INVALID_DATA;
  if (FindInterface(*current, *guid) == nullptr) return ERROR_INVALID_PARAMETER;
  const std::u16string wide = Utf16Text(xml);
  const ProfileVerdict verdict = CheckProfile(wide);
  if (verdict.error != ERROR_SUCCESS) {
    if (verdict.error == ERROR_BAD_PROFILE) *reasonCode = verdict.reasonCode;
    return verdict.error;
  }
  // What the adapter can't do (WPA2 on a WPA-only card: ERROR_NO_MATCH) fails after the checks.
  const Json& target = *FindInterface(*current, *guid);
  if (!AdapterCan(target, verdict.authentication, verdict.encryption)) return ERROR_NO_MATCH;
  if (const DWORD setError = NumberMember(target, "setError")) return setError;
  name = Utf16ToUtf8(verdict.storedName);
  const std::string text = Utf16ToUtf8(wide);
  const DWORD result = ChangeMachine([&](Json& machine) -> DWORD {
    Json* entry = FindInterface(machine, *guid);
    if (entry == nullptr) return ERROR_INVALID_PARAMETER;
    if (!MemberOrNull(*entry, "profiles").is_array()) (*entry)["profiles"] = Json::array();
    Json& profiles = (*entry)["profiles"];
    for (Json& profile : profiles) {
      if (StringMember(profile, "name") != name) continue;
      if (!overwrite) return ERROR_ALREADY_EXISTS;
      profile["xml"] = text;  // replaced in place; the rest of the entry stays
      return 0;
    }
    const size_t point = InsertionPoint(profiles, verdict.adHoc);
    profiles.insert(profiles.begin() + static_cast<std::ptrdiff_t>(point), Json{{"name", name}, {"xml", text}});
    return 0;
  });
  if (result == 0) *reasonCode = WLAN_REASON_CODE_SUCCESS;
  if (result == ERROR_WRITE_FAULT) *reasonCode = WLAN_REASON_CODE_UNKNOWN;  // the profile store failed
  return result;
}

static DWORD GetProfile(HANDLE handle, const GUID* guid, LPCWSTR name, PVOID reserved, LPWSTR* xml, DWORD* flags,
                        PDWORD grantedAccess) {
  if (const DWORD error = ClientError(handle)) return error;
  // XP has no per-user profiles and no protected keys: no flags, in or out.
  if (guid == nullptr || name == nullptr || reserved != nullptr || xml == nullptr || flags != nullptr ||
      grantedAccess != nullptr)
    return ERROR_INVALID_PARAMETER;
  const Json* machine = Machine();
  if (machine == nullptr) return ERROR_INVALID_DATA;
  const Json* entry = FindInterface(*machine, *guid);
  const Json* profile = entry ? FindProfile(*entry, Utf16Text(name)) : nullptr;
  if (profile == nullptr) return ERROR_NOT_FOUND;
  if (const DWORD getError = NumberMember(*profile, "getError")) return getError;
  const std::u16string text = WithStoredName(Utf8ToUtf16(StringMember(*profile, "xml")), StoredName(*profile));
  WCHAR* copy = static_cast<WCHAR*>(Allocate((text.size() + 1) * sizeof(WCHAR)));
  if (copy == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
  CopyUtf16(text, copy, text.size() + 1);
  *xml = copy;
  return ERROR_SUCCESS;
}

// XP's service keeps every infrastructure profile before every ad hoc one, whatever was asked.
static Json InfrastructureFirst(const Json& profiles) {
  Json ordered = Json::array();
  for (bool adHoc : {false, true})
    for (const Json& profile : profiles)
      if (IsAdHocName(StringMember(profile, "name")) == adHoc) ordered.push_back(profile);
  return ordered;
}

static DWORD SetProfilePosition(HANDLE handle, const GUID* guid, LPCWSTR name, DWORD position, PVOID reserved) {
  return ChangeStoredProfile(handle, guid, name, reserved, [&](Json&, Json& profiles, size_t at) -> DWORD {
    if (const DWORD positionError = NumberMember(profiles[at], "positionError")) return positionError;
    if (position >= profiles.size()) return ERROR_INVALID_PARAMETER;
    Json moved = profiles[at];
    profiles.erase(at);
    profiles.insert(profiles.begin() + static_cast<std::ptrdiff_t>(position), moved);
    profiles = InfrastructureFirst(profiles);
    return 0;
  });
}

static DOT11_AUTH_ALGORITHM AuthAlgorithm(const std::u16string& authentication) {
  if (authentication == u"shared") return DOT11_AUTH_ALGO_80211_SHARED_KEY;
  if (authentication == u"WPA") return DOT11_AUTH_ALGO_WPA;
  if (authentication == u"WPAPSK") return DOT11_AUTH_ALGO_WPA_PSK;
  if (authentication == u"WPA2") return DOT11_AUTH_ALGO_RSNA;
  if (authentication == u"WPA2PSK") return DOT11_AUTH_ALGO_RSNA_PSK;
  return DOT11_AUTH_ALGO_80211_OPEN;
}

static DOT11_CIPHER_ALGORITHM CipherAlgorithm(const std::u16string& encryption) {
  if (encryption == u"WEP") return DOT11_CIPHER_ALGO_WEP;
  if (encryption == u"TKIP") return DOT11_CIPHER_ALGO_TKIP;
  if (encryption == u"AES") return DOT11_CIPHER_ALGO_CCMP;
  return DOT11_CIPHER_ALGO_NONE;
}

// The connection of a connected or authenticating interface, from the profile it uses.
static WLAN_CONNECTION_ATTRIBUTES Connection(const Json& entry) {
  WLAN_CONNECTION_ATTRIBUTES connection = {};
  connection.isState = InterfaceState(entry);
  connection.wlanConnectionMode = wlan_connection_mode_profile;
  const std::string name = StringMember(entry, "connectedTo");
  CopyName(name, connection.strProfileName);
  const Json* profile = FindProfile(entry, Utf8ToUtf16(name));
  const ProfileVerdict verdict = CheckProfile(Utf8ToUtf16(profile ? StringMember(*profile, "xml") : ""));
  if (verdict.error != ERROR_SUCCESS) return connection;
  WLAN_ASSOCIATION_ATTRIBUTES& association = connection.wlanAssociationAttributes;
  association.dot11Ssid.uSSIDLength = static_cast<ULONG>(verdict.ssid.size());
  verdict.ssid.copy(reinterpret_cast<char*>(association.dot11Ssid.ucSSID), DOT11_SSID_MAX_LENGTH);
  association.dot11BssType = verdict.adHoc ? dot11_BSS_type_independent : dot11_BSS_type_infrastructure;
  WLAN_SECURITY_ATTRIBUTES& security = connection.wlanSecurityAttributes;
  security.dot11AuthAlgorithm = AuthAlgorithm(verdict.authentication);
  security.dot11CipherAlgorithm = CipherAlgorithm(verdict.encryption);
  security.bSecurityEnabled = security.dot11CipherAlgorithm != DOT11_CIPHER_ALGO_NONE ||
                              security.dot11AuthAlgorithm != DOT11_AUTH_ALGO_80211_OPEN;
  security.bOneXEnabled = verdict.oneX;
  return connection;
}

template <typename Value>
static DWORD HandOut(const Value& value, PDWORD size, PVOID* data) {
  void* copy = Allocate(sizeof value);
  if (copy == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
  memcpy(copy, &value, sizeof value);
  *size = sizeof value;
  *data = copy;
  return ERROR_SUCCESS;
}

// XP answers only these four opcodes.
static DWORD QueryInterface(HANDLE handle, const GUID* guid, WLAN_INTF_OPCODE opcode, PVOID reserved, PDWORD size,
                            PVOID* data, PWLAN_OPCODE_VALUE_TYPE valueType) {
  if (const DWORD error = ClientError(handle)) return error;
  if (guid == nullptr || reserved != nullptr || size == nullptr || data == nullptr) return ERROR_INVALID_PARAMETER;
  if (opcode != wlan_intf_opcode_autoconf_enabled && opcode != wlan_intf_opcode_bss_type &&
      opcode != wlan_intf_opcode_interface_state && opcode != wlan_intf_opcode_current_connection)
    return ERROR_INVALID_PARAMETER;
  const Json* entry = nullptr;
  DWORD result = ReadInterface(*guid, ERROR_NOT_FOUND, "queryError", entry);
  if (result != ERROR_SUCCESS) return result;
  if (opcode == wlan_intf_opcode_autoconf_enabled) {
    result = HandOut(static_cast<BOOL>(WzcManagesInterface(*guid) ? TRUE : FALSE), size, data);
  } else if (opcode == wlan_intf_opcode_bss_type) {
    result = HandOut(dot11_BSS_type_any, size, data);
  } else if (opcode == wlan_intf_opcode_interface_state) {
    result = HandOut(InterfaceState(*entry), size, data);
  } else if (InterfaceState(*entry) == wlan_interface_state_disconnected) {
    result = ERROR_INVALID_STATE;
  } else {
    result = HandOut(Connection(*entry), size, data);
  }
  if (result == ERROR_SUCCESS && valueType != nullptr) *valueType = wlan_opcode_value_type_query_only;
  return result;
}

static DWORD Scan(HANDLE handle, const GUID* guid, const PDOT11_SSID ssid, const PWLAN_RAW_DATA ieData,
                  PVOID reserved) {
  if (const DWORD error = ClientError(handle)) return error;
  UseVirtualClock();  // the caller waits for the scan
  // XP scans for every network: no SSID, no information elements.
  if (guid == nullptr || ssid != nullptr || ieData != nullptr || reserved != nullptr) return ERROR_INVALID_PARAMETER;
  const Json* entry = nullptr;
  return ReadInterface(*guid, ERROR_INVALID_PARAMETER, "scanError", entry);
}

static void FillNetwork(const NetworkInRange& network, bool connected, WLAN_AVAILABLE_NETWORK& item) {
  CopyName(network.profileName, item.strProfileName);
  item.dot11Ssid.uSSIDLength = static_cast<ULONG>(network.ssid.size());
  network.ssid.copy(reinterpret_cast<char*>(item.dot11Ssid.ucSSID), DOT11_SSID_MAX_LENGTH);
  item.dot11BssType = network.adHoc ? dot11_BSS_type_independent : dot11_BSS_type_infrastructure;
  item.uNumberOfBssids = 1;  // XP reports at most one
  item.bNetworkConnectable = network.connectable;
  item.wlanNotConnectableReason = network.notConnectableReason;
  item.uNumberOfPhyTypes = 1;
  item.dot11PhyTypes[0] = dot11_phy_type_erp;
  item.wlanSignalQuality = network.signal;
  item.dot11DefaultAuthAlgorithm = AuthAlgorithm(network.authentication);
  item.dot11DefaultCipherAlgorithm = CipherAlgorithm(network.encryption);
  item.bSecurityEnabled = network.authentication != u"open" || network.encryption != u"none";
  if (!network.profileName.empty()) item.dwFlags |= WLAN_AVAILABLE_NETWORK_HAS_PROFILE;
  if (connected) item.dwFlags |= WLAN_AVAILABLE_NETWORK_CONNECTED;
}

static DWORD GetAvailableNetworkList(HANDLE handle, const GUID* guid, DWORD flags, PVOID reserved,
                                     PWLAN_AVAILABLE_NETWORK_LIST* list) {
  if (const DWORD error = ClientError(handle)) return error;
  // Both flags that later Windows takes are invalid on XP.
  if (guid == nullptr || flags != 0 || reserved != nullptr || list == nullptr) return ERROR_INVALID_PARAMETER;
  const Json* entry = nullptr;
  if (const DWORD error = ReadInterface(*guid, ERROR_INVALID_PARAMETER, "networkListError", entry)) return error;
  const std::vector<NetworkInRange> networks = NetworksInRange(*entry);
  const size_t count = networks.size();
  PWLAN_AVAILABLE_NETWORK_LIST result = static_cast<PWLAN_AVAILABLE_NETWORK_LIST>(
      Allocate(offsetof(WLAN_AVAILABLE_NETWORK_LIST, Network) + (count ? count : 1) * sizeof(WLAN_AVAILABLE_NETWORK)));
  if (result == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
  result->dwNumberOfItems = static_cast<DWORD>(count);
  const bool connected = InterfaceState(*entry) == wlan_interface_state_connected;
  for (size_t i = 0; i < count; ++i)
    FillNetwork(networks[i], connected && networks[i].profileName == StringMember(*entry, "connectedTo"),
                result->Network[i]);
  *list = result;
  return ERROR_SUCCESS;
}

// How long an attempt to connect takes on the virtual clock, unless the interface says.
static const DWORD kConnectMs = 3000;

static DWORD Connect(HANDLE handle, const GUID* guid, const PWLAN_CONNECTION_PARAMETERS parameters, PVOID reserved,
                     std::string& name) {
  if (const DWORD error = ClientError(handle)) return error;
  UseVirtualClock();  // the caller waits for the attempt
  if (guid == nullptr || parameters == nullptr || reserved != nullptr) return ERROR_INVALID_PARAMETER;
  // XP connects with a profile of the interface's list only: no SSID, no BSSIDs, no flags.
  if (parameters->wlanConnectionMode != wlan_connection_mode_profile || parameters->strProfile == nullptr ||
      parameters->pDot11Ssid != nullptr || parameters->pDesiredBssidList != nullptr || parameters->dwFlags != 0)
    return ERROR_INVALID_PARAMETER;
  const std::u16string wanted = Utf16Text(parameters->strProfile);
  name = Utf16ToUtf8(wanted);
  return ChangeMachine([&](Json& machine) -> DWORD {
    Json* entry = FindInterface(machine, *guid);
    if (entry == nullptr) return ERROR_INVALID_PARAMETER;
    const Json* profile = FindProfile(*entry, wanted);
    if (profile == nullptr) return ERROR_NOT_FOUND;
    if (const DWORD connectError = NumberMember(*entry, "connectError")) return connectError;
    const Json& duration = MemberOrNull(*entry, "connectMs");
    const DWORD until = VirtualTicks() + (duration.is_null() ? kConnectMs : NumberMember(*entry, "connectMs"));
    const std::string stored = StringMember(*profile, "name");
    (*entry)["state"] = "authenticating";
    (*entry)["connectedTo"] = stored;
    (*entry)["connecting"] = Json{{"profile", stored}, {"untilTick", until}};
    return ERROR_SUCCESS;
  });
}

static const char* ReasonText(DWORD code) {
  switch (code) {
    case WLAN_REASON_CODE_SUCCESS: return "The operation was successful.";
    case WLAN_REASON_CODE_UNKNOWN: return "An unknown error occurred.";
    case WLAN_REASON_CODE_NETWORK_NOT_COMPATIBLE:
      return "The wireless adapter does not support the network's authentication or encryption.";
    case WLAN_REASON_CODE_PROFILE_NOT_COMPATIBLE:
      return "The profile's authentication or encryption is not the network's.";
    case WLAN_REASON_CODE_NOT_VISIBLE: return "The network is not visible.";
    case WLAN_REASON_CODE_KEY_MISMATCH: return "The network key does not match.";
    case WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA: return "The profile is invalid according to the schema.";
    case WLAN_REASON_CODE_INVALID_PROFILE_NAME: return "The profile name is invalid.";
    case WLAN_REASON_CODE_PROFILE_MISSING: return "The text is not a WLANProfile document.";
    case WLAN_REASON_CODE_PROFILE_SSID_INVALID: return "The profile has no valid SSID.";
    case MSMSEC_PROFILE_KEY_LENGTH: return "The WEP key in the profile has an invalid length.";
    case MSMSEC_PROFILE_PSK_LENGTH: return "The pre-shared key in the profile has an invalid length.";
    case MSMSEC_PROFILE_INVALID_AUTH_CIPHER:
      return "The profile's authentication and encryption are not a valid combination.";
    case MSMSEC_PROFILE_ONEX_DISABLED: return "The profile's authentication needs 802.1X, which the profile disables.";
    case MSMSEC_PROFILE_ONEX_ENABLED: return "The profile enables 802.1X, which its authentication does not allow.";
    case MSMSEC_PROFILE_KEYMATERIAL_CHAR: return "The key material in the profile has an invalid character.";
    case MSMSEC_PROFILE_WRONG_KEYTYPE: return "The key type in the profile does not fit its encryption.";
    case ONEX_PROFILE_INVALID_LENGTH: return "The profile's 802.1X settings hold no EAP configuration.";
    case ONEX_PROFILE_INVALID_EAP_TYPE_OR_FLAG: return "The profile's EAP method is not one this system supports.";
    case ONEX_PROFILE_INVALID_EAP_CONNECTION_PROPERTIES: return "The profile's EAP connection properties are invalid.";
    default: return nullptr;
  }
}

static DWORD ReasonCodeToString(DWORD code, DWORD size, PWCHAR buffer, PVOID reserved) {
  if (buffer == nullptr || size == 0 || reserved != nullptr) return ERROR_INVALID_PARAMETER;
  const Json* machine = Machine();
  const DWORD reasonError = machine ? NumberMember(WlanMember(*machine), "reasonError") : 0;
  if (reasonError != 0) return reasonError;
  const char* text = ReasonText(code);
  if (text == nullptr) return ERROR_NOT_FOUND;
  CopyUtf16(Utf8ToUtf16(text), buffer, size);
  return ERROR_SUCCESS;
}

}  // namespace standin

using namespace standin;

static std::string GuidName(const GUID* guid) {
  return guid ? CanonicalGuid(*guid) : "(null)";
}

static std::string Name(LPCWSTR name) {
  return name ? Utf16ToUtf8(Utf16Text(name)) : "(null)";
}

extern "C" DWORD WINAPI WlanOpenHandle(DWORD dwClientVersion, PVOID pReserved, PDWORD pdwNegotiatedVersion,
                                       PHANDLE phClientHandle) {
  const DWORD result = OpenHandle(pReserved, pdwNegotiatedVersion, phClientHandle);
  Trace("WlanOpenHandle " + std::to_string(dwClientVersion) + " -> " + std::to_string(result));
  return result;
}

extern "C" DWORD WINAPI WlanCloseHandle(HANDLE hClientHandle, PVOID pReserved) {
  DWORD result = ERROR_SUCCESS;
  if (hClientHandle == nullptr || pReserved != nullptr) result = ERROR_INVALID_PARAMETER;
  else if (clientHandles.erase(hClientHandle) == 0) result = ERROR_INVALID_HANDLE;
  Trace("WlanCloseHandle -> " + std::to_string(result));
  return result;
}

extern "C" DWORD WINAPI WlanEnumInterfaces(HANDLE hClientHandle, PVOID pReserved,
                                           PWLAN_INTERFACE_INFO_LIST* ppInterfaceList) {
  const DWORD result = EnumInterfaces(hClientHandle, pReserved, ppInterfaceList);
  std::string line = "WlanEnumInterfaces -> " + std::to_string(result);
  if (result == 0) line += " (" + std::to_string((*ppInterfaceList)->dwNumberOfItems) + " interfaces)";
  Trace(line);
  return result;
}

extern "C" DWORD WINAPI WlanGetProfileList(HANDLE hClientHandle, const GUID* pInterfaceGuid, PVOID pReserved,
                                           PWLAN_PROFILE_INFO_LIST* ppProfileList) {
  const DWORD result = GetProfileList(hClientHandle, pInterfaceGuid, pReserved, ppProfileList);
  std::string line = "WlanGetProfileList " + GuidName(pInterfaceGuid) + " -> " + std::to_string(result);
  if (result == 0) line += " (" + std::to_string((*ppProfileList)->dwNumberOfItems) + " profiles)";
  Trace(line);
  return result;
}

extern "C" DWORD WINAPI WlanDeleteProfile(HANDLE hClientHandle, const GUID* pInterfaceGuid, LPCWSTR strProfileName,
                                          PVOID pReserved) {
  const DWORD result = DeleteProfile(hClientHandle, pInterfaceGuid, strProfileName, pReserved);
  Trace("WlanDeleteProfile " + GuidName(pInterfaceGuid) + " " + Name(strProfileName) + " -> " + std::to_string(result));
  return result;
}

extern "C" DWORD WINAPI WlanSetProfile(HANDLE hClientHandle, const GUID* pInterfaceGuid, DWORD dwFlags,
                                       LPCWSTR strProfileXml, LPCWSTR strAllUserProfileSecurity, WINBOOL bOverwrite,
                                       PVOID pReserved, DWORD* pdwReasonCode) {
  std::string name;
  const DWORD result = SetProfile(hClientHandle, pInterfaceGuid, dwFlags, strProfileXml, strAllUserProfileSecurity,
                                  bOverwrite, pReserved, pdwReasonCode, name);
  Trace("WlanSetProfile " + GuidName(pInterfaceGuid) + " " + (name.empty() ? "(no name)" : name) + " flags " +
        std::to_string(dwFlags) + " overwrite " + std::to_string(bOverwrite) + " -> " + std::to_string(result) +
        " reason " + (pdwReasonCode ? std::to_string(*pdwReasonCode) : "-"));
  return result;
}

extern "C" DWORD WINAPI WlanGetProfile(HANDLE hClientHandle, const GUID* pInterfaceGuid, LPCWSTR strProfileName,
                                       PVOID pReserved, LPWSTR* pstrProfileXml, DWORD* pdwFlags,
                                       PDWORD pdwGrantedAccess) {
  const DWORD result =
      GetProfile(hClientHandle, pInterfaceGuid, strProfileName, pReserved, pstrProfileXml, pdwFlags, pdwGrantedAccess);
  Trace("WlanGetProfile " + GuidName(pInterfaceGuid) + " " + Name(strProfileName) + " -> " + std::to_string(result));
  return result;
}

extern "C" DWORD WINAPI WlanSetProfilePosition(HANDLE hClientHandle, const GUID* pInterfaceGuid, LPCWSTR strProfileName,
                                               DWORD dwPosition, PVOID pReserved) {
  const DWORD result = SetProfilePosition(hClientHandle, pInterfaceGuid, strProfileName, dwPosition, pReserved);
  Trace("WlanSetProfilePosition " + GuidName(pInterfaceGuid) + " " + Name(strProfileName) + " " +
        std::to_string(dwPosition) + " -> " + std::to_string(result));
  return result;
}

extern "C" DWORD WINAPI WlanQueryInterface(HANDLE hClientHandle, const GUID* pInterfaceGuid, WLAN_INTF_OPCODE OpCode,
                                           PVOID pReserved, PDWORD pdwDataSize, PVOID* ppData,
                                           PWLAN_OPCODE_VALUE_TYPE pWlanOpcodeValueType) {
  const DWORD result =
      QueryInterface(hClientHandle, pInterfaceGuid, OpCode, pReserved, pdwDataSize, ppData, pWlanOpcodeValueType);
  Trace("WlanQueryInterface " + GuidName(pInterfaceGuid) + " " + std::to_string(static_cast<DWORD>(OpCode)) + " -> " +
        std::to_string(result));
  return result;
}

extern "C" DWORD WINAPI WlanReasonCodeToString(DWORD dwReasonCode, DWORD dwBufferSize, PWCHAR pStringBuffer,
                                               PVOID pReserved) {
  const DWORD result = ReasonCodeToString(dwReasonCode, dwBufferSize, pStringBuffer, pReserved);
  Trace("WlanReasonCodeToString " + std::to_string(dwReasonCode) + " " + std::to_string(dwBufferSize) + " -> " +
        std::to_string(result));
  return result;
}

extern "C" DWORD WINAPI WlanScan(HANDLE hClientHandle, const GUID* pInterfaceGuid, const PDOT11_SSID pDot11Ssid,
                                 const PWLAN_RAW_DATA pIeData, PVOID pReserved) {
  const DWORD result = Scan(hClientHandle, pInterfaceGuid, pDot11Ssid, pIeData, pReserved);
  Trace("WlanScan " + GuidName(pInterfaceGuid) + " -> " + std::to_string(result));
  return result;
}

extern "C" DWORD WINAPI WlanGetAvailableNetworkList(HANDLE hClientHandle, const GUID* pInterfaceGuid, DWORD dwFlags,
                                                    PVOID pReserved,
                                                    PWLAN_AVAILABLE_NETWORK_LIST* ppAvailableNetworkList) {
  const DWORD result =
      GetAvailableNetworkList(hClientHandle, pInterfaceGuid, dwFlags, pReserved, ppAvailableNetworkList);
  std::string line = "WlanGetAvailableNetworkList " + GuidName(pInterfaceGuid) + " flags " + std::to_string(dwFlags) +
                     " -> " + std::to_string(result);
  if (result == 0) line += " (" + std::to_string((*ppAvailableNetworkList)->dwNumberOfItems) + " networks)";
  Trace(line);
  return result;
}

extern "C" DWORD WINAPI WlanConnect(HANDLE hClientHandle, const GUID* pInterfaceGuid,
                                    const PWLAN_CONNECTION_PARAMETERS pConnectionParameters, PVOID pReserved) {
  std::string name = "(no profile)";
  const DWORD result = Connect(hClientHandle, pInterfaceGuid, pConnectionParameters, pReserved, name);
  Trace("WlanConnect " + GuidName(pInterfaceGuid) + " " + name + " -> " + std::to_string(result));
  return result;
}

// Memory for the caller's own use that WlanFreeMemory takes back; XP gives none of 0 bytes.
extern "C" PVOID WINAPI WlanAllocateMemory(DWORD dwMemorySize) {
  void* block = dwMemorySize == 0 ? nullptr : Allocate(dwMemorySize);
  if (block == nullptr) SetLastError(dwMemorySize == 0 ? ERROR_INVALID_PARAMETER : ERROR_NOT_ENOUGH_MEMORY);
  Trace("WlanAllocateMemory " + std::to_string(dwMemorySize) + " -> " + (block ? "memory" : "null"));
  return block;
}

// Memory this API did not hand out, or has freed already, is a fault in the caller: the
// process ends at once, as a checked heap ends it, so that no such fault passes unseen. Null
// is nothing to free.
extern "C" VOID WINAPI WlanFreeMemory(PVOID pMemory) {
  if (pMemory == nullptr) {
    Trace("WlanFreeMemory (null)");
    return;
  }
  if (allocations.erase(pMemory) == 0) {
    Trace("WlanFreeMemory (not allocated here)");
    fprintf(stderr, "tessamin: WlanFreeMemory of %p, which the Native Wifi API did not hand out or has freed already\n",
            pMemory);
    fflush(stderr);
    abort();
  }
  free(pMemory);
  Trace("WlanFreeMemory");
}
