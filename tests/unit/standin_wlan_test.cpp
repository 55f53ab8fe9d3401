// The stand-in's Native Wifi calls outside profile checking: the service it depends on, the
// refusals of WlanSetProfile and WlanDeleteProfile, and the reason texts.
#include <set>

#include "platform/standin/machine/machine.h"
#include "tests/unit/standin_fixture.h"

namespace {

class NativeWifiTest : public StandinTest {
 protected:
  const GUID guidB = {0x6F9619FF, 0x8B86, 0xD011, {0xB4, 0x2D, 0x00, 0xC0, 0x4F, 0xC9, 0x64, 0xFF}};
  const GUID absent = {0x12345678, 0x1, 0x2, {0, 0, 0, 0, 0, 0, 0, 3}};
  HANDLE client = nullptr;
  std::u16string Wide(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
  }
  DWORD Open() {
    DWORD version = 0;
    return WlanOpenHandle(1, nullptr, &version, &client);
  }
};

TEST_F(NativeWifiTest, NothingWorksWhileWzcsvcIsNotRunning) {
  MachineJson machine = TwoInterfaceMachine();
  machine["services"].erase("WZCSVC");
  machine["services"]["wzcsvc"] = {{"state", "running"}};  // service names ignore letter case
  UseMachine(machine);
  ASSERT_EQ(Open(), 0u);

  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  SC_HANDLE service = OpenServiceW(manager, reinterpret_cast<LPCWSTR>(u"wzcsvc"), SERVICE_ALL_ACCESS);
  SERVICE_STATUS status;
  ASSERT_TRUE(ControlService(service, SERVICE_CONTROL_STOP, &status));
  CloseServiceHandle(service);
  CloseServiceHandle(manager);

  PWLAN_INTERFACE_INFO_LIST interfaces = nullptr;
  PWLAN_PROFILE_INFO_LIST profiles = nullptr;
  DWORD reason = 77;
  const std::u16string xml = Wide(ProfileXml("Guest")), name = Wide("HomeNet");
  EXPECT_EQ(WlanEnumInterfaces(client, nullptr, &interfaces), 1722u);
  EXPECT_EQ(WlanGetProfileList(client, &guidB, nullptr, &profiles), 1722u);
  EXPECT_EQ(WlanSetProfile(client, &guidB, 0, xml.c_str(), nullptr, TRUE, nullptr, &reason), 1722u);
  EXPECT_EQ(WlanDeleteProfile(client, &guidB, name.c_str(), nullptr), 1722u);
  EXPECT_EQ(reason, 77u);
  HANDLE second = nullptr;
  DWORD version = 0;
  EXPECT_EQ(WlanOpenHandle(1, nullptr, &version, &second), 1062u);
  EXPECT_EQ(WlanCloseHandle(client, nullptr), 0u);
}

TEST_F(NativeWifiTest, RefusedArgumentsAndAbsentNames) {
  UseMachine(WithWzcRunning(TwoInterfaceMachine()));
  ASSERT_EQ(Open(), 0u);
  const std::u16string xml = Wide(ProfileXml("Guest")), security = Wide("D:(A;;GA;;;WD)");
  struct Case {
    const char* what;
    const GUID* guid;
    DWORD flags;
    const std::u16string* security;
  };
  for (const Case& c : {Case{"flags", &guidB, 1, nullptr}, Case{"security descriptor", &guidB, 0, &security},
                        Case{"no interface", nullptr, 0, nullptr}, Case{"absent interface", &absent, 0, nullptr}}) {
    DWORD reason = 77;
    EXPECT_EQ(WlanSetProfile(client, c.guid, c.flags, xml.c_str(), c.security ? c.security->c_str() : nullptr, TRUE,
                             nullptr, &reason),
              87u)
        << c.what;
    EXPECT_EQ(reason, 77u) << c.what;
  }
  DWORD reason = 77;
  EXPECT_EQ(WlanSetProfile(client, &guidB, 0, xml.c_str(), nullptr, TRUE, nullptr, &reason), 0u);
  EXPECT_EQ(reason, 0u);
  EXPECT_EQ(WlanSetProfile(client, &guidB, 0, xml.c_str(), nullptr, FALSE, nullptr, &reason), 183u);
  // Names compare exactly; a name the interface does not hold is not found.
  for (const char* name : {"coffeeshop", "CoffeeShop ", "HomeNet"})
    EXPECT_EQ(WlanDeleteProfile(client, &guidB, Wide(name).c_str(), nullptr), 1168u) << name;
  EXPECT_EQ(WlanDeleteProfile(client, &guidB, Wide("CoffeeShop").c_str(), nullptr), 0u);
}

// XP's answers, as Wine's conformance tests of wlanapi record them with their XP branch.
TEST_F(NativeWifiTest, HandlesAndMemoryAnswerAsXpDoes) {
  MachineJson machine = TwoInterfaceMachine();
  UseMachine(machine);
  DWORD version = 7;
  EXPECT_EQ(WlanOpenHandle(1, &version, nullptr, nullptr), 1062u);  // the service before the arguments
  EXPECT_EQ(version, 7u);
  UseMachine(WithWzcRunning(machine));
  for (DWORD asked : {0u, 1u, 2u, 10u}) {
    version = 7;
    EXPECT_EQ(WlanOpenHandle(asked, nullptr, &version, &client), 0u) << asked;
    EXPECT_EQ(version, 1u) << asked;
  }
  EXPECT_EQ(WlanOpenHandle(1, nullptr, nullptr, &client), 87u);
  EXPECT_EQ(WlanOpenHandle(1, &version, &version, &client), 87u);
  HANDLE closed = nullptr;
  ASSERT_EQ(WlanOpenHandle(1, nullptr, &version, &closed), 0u);
  EXPECT_EQ(WlanCloseHandle(closed, nullptr), 0u);
  PWLAN_INTERFACE_INFO_LIST interfaces = nullptr;
  PWLAN_PROFILE_INFO_LIST profiles = nullptr;
  PWLAN_AVAILABLE_NETWORK_LIST networks = nullptr;
  WLAN_CONNECTION_PARAMETERS parameters = {
      wlan_connection_mode_profile, WTEXT("CoffeeShop"), nullptr, nullptr, dot11_BSS_type_infrastructure, 0};
  DWORD size = 0;
  PVOID data = nullptr;
  for (HANDLE handle : {HANDLE(nullptr), closed}) {
    const DWORD expected = handle == nullptr ? 87 : 6;
    EXPECT_EQ(WlanEnumInterfaces(handle, nullptr, &interfaces), expected);
    EXPECT_EQ(WlanGetProfileList(handle, &guidB, nullptr, &profiles), expected);
    EXPECT_EQ(WlanDeleteProfile(handle, &guidB, WTEXT("CoffeeShop"), nullptr), expected);
    EXPECT_EQ(WlanQueryInterface(handle, &guidB, wlan_intf_opcode_interface_state, nullptr, &size, &data, nullptr),
              expected);
    EXPECT_EQ(WlanScan(handle, &guidB, nullptr, nullptr, nullptr), expected);
    EXPECT_EQ(WlanGetAvailableNetworkList(handle, &guidB, 0, nullptr, &networks), expected);
    EXPECT_EQ(WlanConnect(handle, &guidB, &parameters, nullptr), expected);
    EXPECT_EQ(WlanCloseHandle(handle, nullptr), expected);
  }
  SetLastError(0);
  EXPECT_EQ(WlanAllocateMemory(0), nullptr);
  EXPECT_EQ(GetLastError(), 87u);
  PVOID block = WlanAllocateMemory(1);
  ASSERT_NE(block, nullptr);
  WlanFreeMemory(block);
  WlanFreeMemory(nullptr);
}

TEST_F(NativeWifiTest, EveryReasonCodeHasASentence) {
  UseMachine(BaseMachine());
  std::set<std::u16string> texts;
  for (DWORD code : {0x80001, 0x80002, 0x80013, 0x40009, 0x4000A, 0x4000B, 0x40018, 0x40003, 0x40004, 0x40017, 0x10001,
                     0, 0x20001, 0x20002, 0x28002, 0x2800D}) {
    WCHAR buffer[256] = {};
    EXPECT_EQ(WlanReasonCodeToString(code, 256, buffer, nullptr), 0u) << code;
    const std::u16string text = reinterpret_cast<const char16_t*>(buffer);
    EXPECT_TRUE(text.size() > 10 && text.back() == u'.') << code;
    texts.insert(text);
  }
  EXPECT_EQ(texts.size(), 16u);
}

std::string KeyedProfile(const std::string& ssid, const std::string& security, const std::string& key) {
  std::string xml = ProfileXml(ssid);
  const size_t from = xml.find("<MSM>"), to = xml.find("</MSM>");
  return xml.replace(from, to - from, "<MSM><security>" + security + key + "</security>");
}

const char kWpa2Aes[] =
    "<authEncryption><authentication>WPA2PSK</authentication><encryption>AES</encryption></authEncryption>";
const char kWpaTkip[] =
    "<authEncryption><authentication>WPAPSK</authentication><encryption>TKIP</encryption></authEncryption>";

std::string Key(const std::string& type, const std::string& material) {
  return "<sharedKey><keyType>" + type + "</keyType><protected>false</protected><keyMaterial>" + material +
         "</keyMaterial></sharedKey>";
}

// Interface B of the two-interface machine with these networks and stored profiles.
MachineJson RadioMachine(const MachineJson& networks, const MachineJson& profiles) {
  MachineJson machine = WithWzcRunning(TwoInterfaceMachine());
  MachineJson& b = machine["wlan"]["interfaces"][1];
  b["networks"] = networks;
  b["profiles"] = profiles;
  b["adapter"] = {{"authentications", {"open", "WPAPSK"}}, {"encryptions", {"none", "TKIP"}}};
  return machine;
}

TEST_F(NativeWifiTest, NetworksInRangeHaveXpsVerdicts) {
  UseMachine(RadioMachine({{{"ssid", "Office"}, {"signal", 70}, {"authentication", "WPA2PSK"}, {"encryption", "AES"}},
                           {{"ssid", "Home"}, {"signal", 100}, {"authentication", "WPAPSK"}, {"encryption", "TKIP"}},
                           {{"ssidHex", "43616665" + std::string(56, '0')}, {"bssType", "adhoc"}},
                           {{"ssid", "CoffeeShop"}, {"signal", 1}},
                           {{"ssid", std::string(30, 'x') + "\u00e9\u00e9"}}},  // 32 bytes in code page 1252
                          {ProfileEntry("CoffeeShop"), ProfileEntry("Home"), ProfileEntry("Office")}));
  ASSERT_EQ(Open(), 0u);
  PWLAN_AVAILABLE_NETWORK_LIST list = nullptr;
  EXPECT_EQ(WlanGetAvailableNetworkList(client, &guidB, 1, nullptr, &list), 87u);  // XP: flags 0
  EXPECT_EQ(WlanGetAvailableNetworkList(client, &absent, 0, nullptr, &list), 87u);
  EXPECT_EQ(WlanScan(client, &guidB, nullptr, reinterpret_cast<PWLAN_RAW_DATA>(&list), nullptr), 87u);
  EXPECT_EQ(WlanScan(client, &guidB, nullptr, nullptr, nullptr), 0u);
  ASSERT_EQ(WlanGetAvailableNetworkList(client, &guidB, 0, nullptr, &list), 0u);
  struct Expected {
    std::string ssid, profile;
    DOT11_BSS_TYPE type;
    ULONG signal;
    DOT11_AUTH_ALGORITHM authentication;
    DOT11_CIPHER_ALGORITHM cipher;
    BOOL connectable;
    DWORD reason, flags;
  };
  const Expected expected[] = {
      {"Office", "Office", dot11_BSS_type_infrastructure, 70, DOT11_AUTH_ALGO_RSNA_PSK, DOT11_CIPHER_ALGO_CCMP, FALSE,
       131073, 2},  // the adapter lacks WPA2 and AES
      {"Home", "Home", dot11_BSS_type_infrastructure, 100, DOT11_AUTH_ALGO_WPA_PSK, DOT11_CIPHER_ALGO_TKIP, FALSE,
       131074, 2},  // the profile asks for open and none
      {std::string("Cafe") + std::string(28, '\0'), "", dot11_BSS_type_independent, 0, DOT11_AUTH_ALGO_80211_OPEN,
       DOT11_CIPHER_ALGO_NONE, TRUE, 0, 0},
      {"CoffeeShop", "CoffeeShop", dot11_BSS_type_infrastructure, 1, DOT11_AUTH_ALGO_80211_OPEN, DOT11_CIPHER_ALGO_NONE,
       TRUE, 0, 2},
      {std::string(30, 'x') + "\xE9\xE9", "", dot11_BSS_type_infrastructure, 0, DOT11_AUTH_ALGO_80211_OPEN,
       DOT11_CIPHER_ALGO_NONE, TRUE, 0, 0},
  };
  ASSERT_EQ(list->dwNumberOfItems, 5u);
  for (DWORD n = 0; n < 5; ++n) {
    const WLAN_AVAILABLE_NETWORK& network = list->Network[n];
    const Expected& e = expected[n];
    SCOPED_TRACE(e.ssid);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(network.dot11Ssid.ucSSID), network.dot11Ssid.uSSIDLength),
              e.ssid);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(network.strProfileName)), Wide(e.profile));
    EXPECT_EQ(network.dot11BssType, e.type);
    EXPECT_EQ(network.wlanSignalQuality, e.signal);
    EXPECT_EQ(network.dot11DefaultAuthAlgorithm, e.authentication);
    EXPECT_EQ(network.dot11DefaultCipherAlgorithm, e.cipher);
    EXPECT_EQ(network.bSecurityEnabled, e.cipher != DOT11_CIPHER_ALGO_NONE);
    EXPECT_EQ(network.bNetworkConnectable, e.connectable);
    EXPECT_EQ(network.wlanNotConnectableReason, e.reason);
    EXPECT_EQ(network.dwFlags, e.flags);
    EXPECT_EQ(network.uNumberOfBssids, 1u);
  }
  WlanFreeMemory(list);
  // XP refuses to store what the adapter can't do, after the profile's own checks.
  DWORD reason = 77;
  const std::u16string wpa2 = Wide(KeyedProfile("New", kWpa2Aes, ""));
  EXPECT_EQ(WlanSetProfile(client, &guidB, 0, wpa2.c_str(), nullptr, TRUE, nullptr, &reason), 1169u);
  EXPECT_EQ(SavedMachine()["wlan"]["interfaces"][1]["profiles"].size(), 3u);
}

// An attempt is under way for connectMs on the virtual clock; the first reading of the state
// after that settles it.
TEST_F(NativeWifiTest, ConnectionAttemptsSettleOnTheVirtualClock) {
  const std::string hex = std::string(60, 'a') + "B0c1";
  struct Case {
    const char* what;
    MachineJson network;
    std::string profile;
    WLAN_INTERFACE_STATE settled;
  };
  const Case cases[] = {
      {"the right passphrase",
       {{"ssid", "Net"}, {"authentication", "WPAPSK"}, {"encryption", "TKIP"}, {"key", "a passphrase"}},
       KeyedProfile("Net", kWpaTkip, Key("passPhrase", "a passphrase")),
       wlan_interface_state_connected},
      {"a wrong passphrase",
       {{"ssid", "Net"}, {"authentication", "WPAPSK"}, {"encryption", "TKIP"}, {"key", "A passphrase"}},
       KeyedProfile("Net", kWpaTkip, Key("passPhrase", "a passphrase")),
       wlan_interface_state_disconnected},
      {"a hex key in other letter case",
       {{"ssid", "Net"}, {"authentication", "WPAPSK"}, {"encryption", "TKIP"}, {"key", "A" + hex.substr(1)}},
       KeyedProfile("Net", kWpaTkip, Key("networkKey", hex)),
       wlan_interface_state_connected},
      {"no key in the profile",
       {{"ssid", "Net"}, {"authentication", "WPAPSK"}, {"encryption", "TKIP"}},
       KeyedProfile("Net", kWpaTkip, ""),
       wlan_interface_state_disconnected},
      {"a network that takes any key",
       {{"ssid", "Net"}, {"authentication", "WPAPSK"}, {"encryption", "TKIP"}},
       KeyedProfile("Net", kWpaTkip, Key("passPhrase", "a passphrase")),
       wlan_interface_state_connected},
      {"a network that refuses",
       {{"ssid", "Net"}, {"connectReason", 163853}},
       ProfileXml("Net"),
       wlan_interface_state_disconnected},
      {"another network in range", {{"ssid", "Other"}}, ProfileXml("Net"), wlan_interface_state_disconnected},
      {"security the adapter lacks",
       {{"ssid", "Net"}, {"authentication", "WPA2PSK"}, {"encryption", "AES"}},
       ProfileXml("Net"),
       wlan_interface_state_disconnected},
      {"an open network", {{"ssid", "Net"}}, ProfileXml("Net"), wlan_interface_state_connected},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MachineJson machine = RadioMachine(MachineJson::array({c.network}),
                                       {{{"name", "Net"}, {"xml", c.profile}}, ProfileEntry("CoffeeShop")});
    machine["wlan"]["interfaces"][1]["connectMs"] = 2500;
    UseMachine(machine);
    ASSERT_EQ(Open(), 0u);
    WLAN_CONNECTION_PARAMETERS parameters = {
        wlan_connection_mode_profile, WTEXT("Net"), nullptr, nullptr, dot11_BSS_type_infrastructure, 0};
    ASSERT_EQ(WlanConnect(client, &guidB, &parameters, nullptr), 0u);
    const auto state = [&] {
      DWORD size = 0;
      PVOID data = nullptr;
      EXPECT_EQ(WlanQueryInterface(client, &guidB, wlan_intf_opcode_interface_state, nullptr, &size, &data, nullptr),
                0u);
      const WLAN_INTERFACE_STATE value =
          data ? *static_cast<WLAN_INTERFACE_STATE*>(data) : wlan_interface_state_not_ready;
      WlanFreeMemory(data);
      return value;
    };
    Sleep(2499);
    EXPECT_EQ(state(), wlan_interface_state_authenticating);
    Sleep(1);
    EXPECT_EQ(state(), c.settled);
    const MachineJson saved = SavedMachine()["wlan"]["interfaces"][1];
    EXPECT_FALSE(saved.contains("connecting"));
    EXPECT_EQ(saved.value("connectedTo", ""), c.settled == wlan_interface_state_connected ? "Net" : "");
  }
  // What XP takes: a profile of the interface, no SSID, no BSSIDs, no flags.
  DOT11_SSID ssid = {};
  const struct {
    WLAN_CONNECTION_PARAMETERS parameters;
    DWORD result;
  } refusals[] = {
      {{wlan_connection_mode_temporary_profile, WTEXT("Net"), nullptr, nullptr, dot11_BSS_type_infrastructure, 0}, 87},
      {{wlan_connection_mode_profile, WTEXT("Net"), &ssid, nullptr, dot11_BSS_type_infrastructure, 0}, 87},
      {{wlan_connection_mode_profile, WTEXT("Net"), nullptr, nullptr, dot11_BSS_type_infrastructure, 1}, 87},
      {{wlan_connection_mode_profile, WTEXT("net"), nullptr, nullptr, dot11_BSS_type_infrastructure, 0}, 1168},
  };
  for (const auto& refusal : refusals)
    EXPECT_EQ(WlanConnect(client, &guidB, const_cast<PWLAN_CONNECTION_PARAMETERS>(&refusal.parameters), nullptr),
              refusal.result);
}

// Each profile the default machine holds is one XP takes: its WlanGetProfile text stores it
// again under the same name. Its first interface is connected to its first profile.
TEST_F(NativeWifiTest, TheDefaultMachineCapturesAndConnectsAsXpDoes) {
  MachineJson machine = MachineJson::parse(standin::DefaultMachine().dump());
  UseMachine(WithWzcRunning(machine));
  ASSERT_EQ(Open(), 0u);
  PWLAN_INTERFACE_INFO_LIST interfaces = nullptr;
  ASSERT_EQ(WlanEnumInterfaces(client, nullptr, &interfaces), 0u);
  for (DWORD i = 0; i < interfaces->dwNumberOfItems; ++i) {
    const GUID& guid = interfaces->InterfaceInfo[i].InterfaceGuid;
    PWLAN_PROFILE_INFO_LIST profiles = nullptr;
    ASSERT_EQ(WlanGetProfileList(client, &guid, nullptr, &profiles), 0u);
    for (DWORD p = 0; p < profiles->dwNumberOfItems; ++p) {
      LPWSTR xml = nullptr;
      DWORD flags = 0, reason = 77;
      const WCHAR* name = profiles->ProfileInfo[p].strProfileName;
      EXPECT_EQ(WlanGetProfile(client, &guid, name, nullptr, &xml, &flags, nullptr), 87u);  // XP: no flags
      ASSERT_EQ(WlanGetProfile(client, &guid, name, nullptr, &xml, nullptr, nullptr), 0u);
      EXPECT_EQ(WlanSetProfile(client, &guid, 0, xml, nullptr, FALSE, nullptr, &reason), 183u);  // the same name
      WlanFreeMemory(xml);
    }
    EXPECT_EQ(WlanSetProfilePosition(client, &guid, profiles->ProfileInfo[0].strProfileName, profiles->dwNumberOfItems,
                                     nullptr),
              87u);
    WlanFreeMemory(profiles);
  }
  EXPECT_EQ(interfaces->InterfaceInfo[0].isState, wlan_interface_state_connected);
  DWORD size = 0;
  PVOID data = nullptr;
  WLAN_OPCODE_VALUE_TYPE type = wlan_opcode_value_type_invalid;
  ASSERT_EQ(WlanQueryInterface(client, &interfaces->InterfaceInfo[0].InterfaceGuid, wlan_intf_opcode_current_connection,
                               nullptr, &size, &data, &type),
            0u);
  const WLAN_CONNECTION_ATTRIBUTES& connection = *static_cast<PWLAN_CONNECTION_ATTRIBUTES>(data);
  EXPECT_EQ(size, sizeof connection);
  EXPECT_EQ(type, wlan_opcode_value_type_query_only);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(connection.strProfileName)), u"HomeNet");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(connection.wlanAssociationAttributes.dot11Ssid.ucSSID),
                        connection.wlanAssociationAttributes.dot11Ssid.uSSIDLength),
            "HomeNet");
  EXPECT_EQ(connection.wlanSecurityAttributes.dot11AuthAlgorithm, DOT11_AUTH_ALGO_WPA_PSK);
  EXPECT_EQ(connection.wlanSecurityAttributes.dot11CipherAlgorithm, DOT11_CIPHER_ALGO_TKIP);
  EXPECT_TRUE(connection.wlanSecurityAttributes.bSecurityEnabled);
  WlanFreeMemory(data);
  const GUID& second = interfaces->InterfaceInfo[1].InterfaceGuid;
  EXPECT_EQ(WlanQueryInterface(client, &second, wlan_intf_opcode_current_connection, nullptr, &size, &data, nullptr),
            5023u);
  EXPECT_EQ(WlanQueryInterface(client, &second, wlan_intf_opcode_radio_state, nullptr, &size, &data, nullptr), 87u);
  WlanFreeMemory(interfaces);
}

}  // namespace
