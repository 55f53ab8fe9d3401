// -networks and -connect: what each interface sees, and joining a network with a stored profile.
#include <algorithm>
#include <functional>

#include "tests/cli/cli_fixture.h"

namespace {

const std::string kA = kGuidTextA;
const std::string kB = kGuidB;
const char kNotCompatible[] =
    "not connectable: (131073)The wireless adapter does not support the network's authentication or encryption.";

// Interface A stores Office as a WPA2-Personal profile with its passphrase; it sees Office.
MachineJson OfficeMachine() {
  MachineJson machine = TwoInterfaceMachine();
  MachineJson& a = machine["wlan"]["interfaces"][0];
  std::string xml = ProfileXml("Office");
  xml.replace(xml.find("<MSM>"), xml.find("</MSM>") - xml.find("<MSM>"),
              "<MSM><security><authEncryption><authentication>WPA2PSK</authentication><encryption>AES</encryption>"
              "</authEncryption><sharedKey><keyType>passPhrase</keyType><protected>false</protected>"
              "<keyMaterial>office key</keyMaterial></sharedKey></security>");
  a["profiles"][1]["xml"] = xml;
  a["networks"] = {{{"ssid", "Office"},
                    {"signal", 70},
                    {"authentication", "WPA2PSK"},
                    {"encryption", "AES"},
                    {"key", "office key"}}};
  return machine;
}

class NetworksTest : public CliTest {};

// The default machine shows each verdict; the scans come before the lists, with the wait
// between them.
TEST_F(NetworksTest, NetworksOfTheDefaultMachine) {
  EXPECT_EQ(Output({"-networks"}), "Networks By Interface:\n" + kA + " / HomeNet / 82% / WPAPSK TKIP / profile " +
                                       "'HomeNet', connected\n" + kA + " / Office / 70% / WPA2PSK AES / " +
                                       kNotCompatible + "\n" + kA + " / Lobby / 45% / open none / no profile\n" + kB +
                                       " / CoffeeShop / 60% / open none / profile 'CoffeeShop'\n\n");
  EXPECT_EQ(Calls({"WlanScan", "WlanGetAvailableNetworkList", "Sleep 4000"}),
            (std::vector<std::string>{
                "WlanScan {0A1B2C3D-0001-0ABC-8D9E-AF0123456789} -> 0", "WlanScan " + kB + " -> 0", "Sleep 4000",
                "WlanGetAvailableNetworkList {0A1B2C3D-0001-0ABC-8D9E-AF0123456789} flags 0 -> 0 (3 networks)",
                "WlanGetAvailableNetworkList " + kB + " flags 0 -> 0 (1 networks)"}));
  // The adapter of interface A can't store what it can't join (README.md's example).
  const std::string sample = TESSAMIN_SOURCE_DIR "/dist/samples/wpa2-psk-aes.xml";
  EXPECT_EQ(Output({"-add", sample}), " - Error adding AP from file '" + sample + "' to interface '" + kA +
                                          "': (0)Error 1169: the adapter can't do the profile's authentication or "
                                          "encryption.\n - Added AP from file '" +
                                          sample + "' to interface '" + kB + "'.\n");
}

TEST_F(NetworksTest, NetworksLinesAndFailures) {
  struct Case {
    const char* what;
    std::function<void(MachineJson& b)> shape;
    std::string out;  // after the header
  };
  const Case cases[] = {
      {"a profile that asks for other security",
       [](MachineJson& b) {
         b["networks"] = {{{"ssid", "CoffeeShop"}, {"encryption", "WEP"}, {"signal", 100}}};
       },
       kB + " / CoffeeShop / 100% / open WEP / not connectable: (131074)The profile's authentication or encryption "
            "is not the network's.\n"},
      {"an SSID holding a line feed, an ad hoc network",
       [](MachineJson& b) {
         b["networks"] = {{{"ssidHex", "410A42"}, {"bssType", "adhoc"}}};
       },
       kB + " / A\\x0AB / 0% / open none / no profile\n"},
      {"a radio switched off", [](MachineJson& b) { b["networkListError"] = 0x80342002u; },
       " - Error(-2144067582): Unable to list the networks of interface '" + kB + "'.\n"},
  };
  for (const Case& c : cases) {
    MachineJson machine = TwoInterfaceMachine();
    c.shape(machine["wlan"]["interfaces"][1]);
    UseMachine(machine);
    EXPECT_EQ(Output({"-networks", "-limit", kB}), "Networks By Interface:\n" + c.out + "\n") << c.what;
  }
  MachineJson machine = TwoInterfaceMachine();
  machine["wlan"]["interfaces"][1]["scanError"] = 21;  // the list of the last scan is still shown
  UseMachine(machine);
  EXPECT_EQ(Output({"-networks", "-limit", kB}),
            " - Error(21): Unable to scan on interface '" + kB + "'.\nNetworks By Interface:\n\n");
  EXPECT_TRUE(Calls({"Sleep 4000"}).empty());  // no scan to wait for
  EXPECT_EQ(Output({"-networks", "-limit", "{absent}"}), "");
}

TEST_F(NetworksTest, ConnectSaysForEachInterfaceWhetherItJoined) {
  const std::string toOffice = "connect interface '" + kA + "' to AP 'Office'";
  const std::string noOfficeOnB =
      " - Error: Unable to connect interface '" + kB + "' to AP 'Office': it holds no such AP.\n";
  const std::string timedOut = " - Error: Unable to " + toOffice +
                               ": no connection within 30 seconds (a wrong key, or the network refused it).\n";
  struct Case {
    const char* what;
    std::function<void(MachineJson& a)> shape;
    std::vector<std::string> args;
    int exitCode;
    std::string out;
    size_t polls;  // Sleep 1000 after the scans
  };
  const auto nothing = [](MachineJson&) {};
  const std::vector<std::string> office = {"-connect", "Office"};
  const Case cases[] = {
      {"the right key", nothing, office, 0, " - Connected interface '" + kA + "' to AP 'Office'.\n" + noOfficeOnB, 3},
      {"an attempt of 30 s", [](MachineJson& a) { a["connectMs"] = 30000; }, office, 0,
       " - Connected interface '" + kA + "' to AP 'Office'.\n" + noOfficeOnB, 30},
      {"an attempt of 30.001 s", [](MachineJson& a) { a["connectMs"] = 30001; }, office, 5, timedOut + noOfficeOnB, 30},
      {"a wrong key", [](MachineJson& a) { a["networks"][0]["key"] = "other key"; }, office, 5, timedOut + noOfficeOnB,
       30},
      {"out of range", [](MachineJson& a) { a["networks"][0]["ssid"] = "Office2"; }, office, 5,
       " - Error: Unable to " + toOffice + ": its network is not in range.\n" + noOfficeOnB, 0},
      {"an adapter without AES",
       [](MachineJson& a) {
         a["adapter"]["encryptions"] = {"none", "TKIP"};
       },
       office, 5, " - Error: Unable to " + toOffice + ": " + kNotCompatible + "\n" + noOfficeOnB, 0},
      {"WlanConnect refused", [](MachineJson& a) { a["connectError"] = 1722; }, office, 5,
       " - Error(1722): Unable to " + toOffice + ".\n" + noOfficeOnB, 0},
      {"a name no interface holds",
       nothing,
       {"-connect", "office"},
       5,
       " - Error: Unable to connect interface '" + kA + "' to AP 'office': it holds no such AP.\n" +
           " - Error: Unable to connect interface '" + kB + "' to AP 'office': it holds no such AP.\n",
       0},
      {"connected already",
       [](MachineJson& a) {
         a["state"] = "connected";
         a["connectedTo"] = "Office";
       },
       {"-connect", "Office", "-limit", kA},
       0,
       " - Connected interface '" + kA + "' to AP 'Office'.\n",
       0},
      {"two names", nothing, {"-connect", "Office", "HomeNet"}, 5, " - Error: -connect takes one AP name.\n", 0},
      {"no interface selected",
       nothing,
       {"-connect", "Office", "-limit", "{absent}"},
       5,
       " - Error: Unable to connect to AP 'Office': no wireless interface.\n",
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MachineJson machine = OfficeMachine();
    c.shape(machine["wlan"]["interfaces"][0]);
    UseMachine(machine);
    const ProgramRun run = Run(c.args);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.exitCode, c.exitCode);
    const std::vector<std::string> sleeps = Calls({"Sleep", "WlanScan"});
    const auto scan = std::find_if(sleeps.begin(), sleeps.end(),
                                   [](const std::string& line) { return line.compare(0, 8, "WlanScan") == 0; });
    EXPECT_EQ(static_cast<size_t>(std::count(scan, sleeps.end(), "Sleep 1000")), c.polls);
    EXPECT_TRUE(Calls({"WlanDisconnect"}).empty());
  }
}

}  // namespace
