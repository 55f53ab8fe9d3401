// -networks and -connect: what each interface sees, and joining a network with a stored profile.
#include <algorithm>

#include "tests/cli/cli_fixture.h"

namespace {

const std::string kA = kGuidTextA, kB = kGuidB;
const std::string kNotCompatible =
    "not connectable: (131073)The wireless adapter does not support the network's authentication or encryption.";

// A WPA2-Personal profile for SSID Net, with that key when a key type is given.
MachineJson NetProfile(const std::string& keyType, const std::string& key) {
  std::string xml = ProfileXml("Net"), security =
                                           "<security><authEncryption><authentication>WPA2PSK</authentication>"
                                           "<encryption>AES</encryption></authEncryption>";
  if (!keyType.empty())
    security += "<sharedKey><keyType>" + keyType + "</keyType><protected>false</protected><keyMaterial>" + key +
                "</keyMaterial></sharedKey>";
  const size_t from = xml.find("<security>");
  return {{"name", "Net"}, {"xml", xml.replace(from, xml.find("</MSM>") - from, security + "</security>")}};
}
const MachineJson kNet = {{"ssid", "Net"}, {"signal", 70}, {"authentication", "WPA2PSK"}, {"encryption", "AES"}};
MachineJson NetWithKey(const std::string& key) {
  MachineJson network = kNet;
  network["key"] = key;
  return network;
}

class NetworksTest : public CliTest {};

// The default machine shows each verdict, the scans come before the lists with the wait
// between them; its older adapter can't store what it can't join (README.md's example).
TEST_F(NetworksTest, NetworksOfTheDefaultMachine) {
  EXPECT_EQ(Output({"-networks"}), "Networks By Interface:\n" + kA +
                                       " / HomeNet / 82% / WPAPSK TKIP / profile 'HomeNet', connected\n" + kA +
                                       " / Office / 70% / WPA2PSK AES / " + kNotCompatible + "\n" + kA +
                                       " / Lobby / 45% / open none / no profile\n" + kB +
                                       " / CoffeeShop / 60% / open none / profile 'CoffeeShop'\n\n");
  const std::vector<std::string> calls = Calls({"WlanScan", "WlanGetAvailableNetworkList", "Sleep 4000"});
  EXPECT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[2], "Sleep 4000");
  const std::string sample = TESSAMIN_SOURCE_DIR "/dist/samples/wpa2-psk-aes.xml";
  EXPECT_EQ(Output({"-add", sample, "-limit", kA}),
            " - Error adding AP from file '" + sample + "' to interface '" + kA +
                "': (0)Error 1169: the adapter can't do the profile's authentication or encryption.\n");
}

TEST_F(NetworksTest, NetworksLinesAndFailures) {
  const std::string ssid32 = std::string(30, 'x') + "\xC3\xA9\xC3\xA9";  // 32 bytes in code page 1252
  const MachineJson adHoc = {{"ssid", "CoffeeShop"}, {"bssType", "adhoc"}},
                    wep = {{"ssid", "CoffeeShop"}, {"encryption", "WEP"}, {"signal", 100}};
  const struct {
    MachineJson networks;
    unsigned networkListError, scanError;
    std::string out;
  } cases[] = {
      {MachineJson::array({wep}), 0, 0,
       "Networks By Interface:\n" + kB +
           " / CoffeeShop / 100% / open WEP / not connectable: (131074)The profile's authentication or encryption is "
           "not the network's.\n\n"},
      {MachineJson::array(
           {MachineJson{{"ssidHex", "410A42" + std::string(58, '3')}}, MachineJson{{"ssid", ssid32}}, adHoc}),
       0, 0,
       "Networks By Interface:\n" + kB + " / A\\x0AB" + std::string(29, '3') + " / 0% / open none / no profile\n" + kB +
           " / " + std::string(30, 'x') + "\xE9\xE9 / 0% / open none / no profile\n" + kB +
           " / CoffeeShop / 0% / open none / no profile\n\n"},
      {MachineJson::array(), 0x80342002u, 0,  // a radio switched off
       "Networks By Interface:\n - Error(-2144067582): Unable to list the networks of interface '" + kB + "'.\n\n"},
      {MachineJson::array(), 0, 21,
       " - Error(21): Unable to scan on interface '" + kB + "'.\nNetworks By Interface:\n\n"},
  };
  for (const auto& c : cases) {
    MachineJson machine = TwoInterfaceMachine();
    MachineJson& b = machine["wlan"]["interfaces"][1];
    b["networks"] = c.networks;
    b["networkListError"] = c.networkListError;
    b["scanError"] = c.scanError;
    UseMachine(machine);
    EXPECT_EQ(Output({"-networks", "-limit", kB}), c.out);
    EXPECT_EQ(Calls({"Sleep 4000"}).size(), c.scanError ? 0u : 1u);  // no scan, no wait
  }
}

TEST_F(NetworksTest, ConnectSaysForEachInterfaceWhetherItJoined) {
  const std::string toNet = " - Error: Unable to connect interface '" + kA + "' to AP 'Net'";
  const std::string joined = " - Connected interface '" + kA + "' to AP 'Net'.\n";
  const std::string timedOut = toNet + ": no connection within 30 seconds (a wrong key, or the network refused it).\n";
  const std::string hex = std::string(60, 'a') + "B0c1", notInRange = toNet + ": its network is not in range.\n",
                    notCompatible = toNet + ": " + kNotCompatible + "\n",
                    refused = " - Error(1722): Unable to connect interface '" + kA + "' to AP 'Net'.\n",
                    notHeld = " - Error: Unable to connect interface '" + kA + "' to AP 'net': it holds no such AP.\n",
                    twoNames = " - Error: -connect takes one AP name.\n",
                    noInterface = " - Error: Unable to connect to AP 'Net': no wireless interface.\n";
  const MachineJson passphrase = NetProfile("passPhrase", "a passphrase");
  const struct {
    MachineJson network, profile, shape;  // shape: more members of interface A
    std::vector<std::string> args;
    std::string out;
    size_t polls;  // Sleep 1000 after the scan
  } cases[] = {
      {NetWithKey("a passphrase"), passphrase, {}, {}, joined, 3},
      {kNet, passphrase, {{"connectMs", 30000}}, {}, joined, 30},
      {kNet, passphrase, {{"connectMs", 30001}}, {}, timedOut, 30},
      {NetWithKey("A passphrase"), passphrase, {}, {}, timedOut, 30},  // text keys compare exactly
      {NetWithKey("A" + hex.substr(1)), NetProfile("networkKey", hex), {}, {}, joined, 3},
      {kNet, NetProfile("", ""), {}, {}, timedOut, 30},  // no key: XP would ask a user
      {{{"ssid", "Net"}, {"connectReason", 163853}}, ProfileEntry("Net"), {}, {}, timedOut, 30},
      {{{"ssid", "Other"}}, ProfileEntry("Net"), {}, {}, notInRange, 0},
      {kNet, passphrase, {{"adapter", {{"encryptions", {"none", "TKIP"}}}}}, {}, notCompatible, 0},
      {kNet, passphrase, {{"connectError", 1722}}, {}, refused, 0},
      {kNet, passphrase, {{"state", "connected"}, {"connectedTo", "Net"}}, {}, joined, 0},
      {kNet, passphrase, {}, {"-connect", "net"}, notHeld, 0},
      {kNet, passphrase, {}, {"-connect", "Net", "Office"}, twoNames, 0},
      {kNet, passphrase, {}, {"-connect", "Net", "-limit", "{absent}"}, noInterface, 0},
  };
  for (const auto& c : cases) {
    MachineJson machine = WithWzcRunning(BaseMachine());
    MachineJson a = InterfaceEntry(kGuidA, "Adapter A");
    a["profiles"] = MachineJson::array({c.profile});
    a["networks"] = MachineJson::array({c.network});
    if (c.shape.is_object()) a.update(c.shape);
    machine["wlan"]["interfaces"] = MachineJson::array({a});
    UseMachine(machine);
    const ProgramRun run = Run(c.args.empty() ? std::vector<std::string>{"-connect", "Net"} : c.args);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.exitCode, c.out == joined ? 0 : 5) << c.out;
    const std::vector<std::string> calls = Calls({"Sleep", "WlanScan"});
    const auto scan = std::find(calls.begin(), calls.end(), "WlanScan " + std::string(kGuidA) + " -> 0");
    EXPECT_EQ(static_cast<size_t>(std::count(scan, calls.end(), "Sleep 1000")), c.polls) << c.out;
  }
}

}  // namespace
