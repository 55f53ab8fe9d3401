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
  // The radio calls take no IE data, no list flags and only the profile mode, as XP's do.
  WLAN_RAW_DATA data = {};
  PWLAN_AVAILABLE_NETWORK_LIST list = nullptr;
  EXPECT_EQ(WlanScan(client, &guidB, nullptr, &data, nullptr), 87u);
  EXPECT_EQ(WlanGetAvailableNetworkList(client, &guidB, 1, nullptr, &list), 87u);
  DOT11_SSID ssid = {};
  const WLAN_CONNECTION_PARAMETERS refused[] = {
      {wlan_connection_mode_temporary_profile, WTEXT("CoffeeShop"), nullptr, nullptr, dot11_BSS_type_any, 0},
      {wlan_connection_mode_profile, WTEXT("CoffeeShop"), &ssid, nullptr, dot11_BSS_type_any, 0},
      {wlan_connection_mode_profile, WTEXT("CoffeeShop"), nullptr, nullptr, dot11_BSS_type_any, 1},
      {wlan_connection_mode_profile, WTEXT("coffeeshop"), nullptr, nullptr, dot11_BSS_type_any, 0}};
  for (const WLAN_CONNECTION_PARAMETERS& parameters : refused)
    EXPECT_EQ(WlanConnect(client, &guidB, const_cast<PWLAN_CONNECTION_PARAMETERS>(&parameters), nullptr),
              parameters.strProfile[0] == 'c' ? 1168u : 87u);
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
