// -export, -order and -status, and -deploy applying what -export captured.
#include <dirent.h>
#include <sys/stat.h>

#include <set>

#include "tests/cli/cli_fixture.h"

namespace {

const std::string kA = kGuidTextA;
const std::string kB = kGuidB;

// An open network's profile whose SSID is given by its bytes, so that any name can be one.
std::string HexProfile(const std::string& ssid) {
  static const char digits[] = "0123456789ABCDEF";
  std::string hex, xml = ProfileXml("x");
  for (unsigned char c : ssid) hex += std::string{digits[c >> 4], digits[c & 15]};
  return xml.replace(xml.find("<SSID><name>x</name>"), 20, "<SSID><hex>" + hex + "</hex>");
}

std::string AdHocProfile(const std::string& ssid) {
  std::string xml = ProfileXml(ssid);
  const std::string ess = "<connectionType>ESS</connectionType>";
  return xml.replace(xml.find(ess), ess.size(),
                     "<connectionType>IBSS</connectionType><connectionMode>manual</connectionMode>");
}

MachineJson Profile(const std::string& name, const std::string& xml) {
  return MachineJson{{"name", name}, {"xml", xml}};
}

std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  DIR* listing = opendir(folder.c_str());
  while (dirent* entry = listing ? readdir(listing) : nullptr) names.insert(entry->d_name);
  if (listing) closedir(listing);
  names.erase(".");
  names.erase("..");
  return names;
}

class CaptureTest : public CliTest {
 protected:
  std::vector<std::string> StoredNames(int interfaceIndex) {
    const MachineJson machine = SavedMachine();
    std::vector<std::string> names;
    for (const MachineJson& profile : machine["wlan"]["interfaces"][interfaceIndex]["profiles"])
      names.push_back(profile["name"]);
    return names;
  }
  MachineJson Machine(int codePage, const std::vector<MachineJson>& a, const std::vector<MachineJson>& b = {}) {
    MachineJson machine = TwoInterfaceMachine();
    machine["codePage"] = codePage;
    machine["wlan"]["interfaces"][0]["profiles"] = a;
    machine["wlan"]["interfaces"][1]["profiles"] = b;
    return machine;
  }
};

struct ExportCase {
  const char* what;
  int codePage;
  std::vector<MachineJson> a, b;
  std::set<std::string> files;  // besides ORDER.TXT
  std::string order;            // ORDER.TXT
  std::string inFirstFile;
  std::string line;  // one line of the output
  bool deployAgain;  // a fresh machine of the code page gets the same profiles from the files
};

TEST_F(CaptureTest, ExportedFilesDeployTheSameProfilesAgain) {
  std::vector<MachineJson> unsafe;
  for (const char* name : {"a\\b", "a/b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b",
                           "a\x01"
                           "b",
                           "CON", "nul.txt", "Office.", "..\\x", "Case", "CASE", "ABCDEF~1"})
    unsafe.push_back(Profile(name, HexProfile(name)));
  MachineJson failing = Profile("Bad", ProfileXml("Bad"));
  failing["getError"] = 5;
  const ExportCase cases[] = {
      {"a Cyrillic SSID on 1251",
       1251,
       {Profile("Сеть", ProfileXml("Сеть"))},
       {},
       {"Сеть.xml"},
       "\xD1\xE5\xF2\xFC\r\n",
       "<SSID><name>\xD1\xE5\xF2\xFC</name>",
       " - Exported AP '\xD1\xE5\xF2\xFC' from",
       true},
      {"an SSID with Ω on 1252, which holds no Ω",
       1252,
       {Profile("Omega", ProfileXml("Ωmega"))},
       {},
       {"Omega.xml"},
       "Omega\r\n",
       "<SSID><name>&#x3A9;mega</name>",
       "",
       true},
      {"names that can't be file names",
       1252,
       unsafe,
       {},
       {"a_b.xml", "a_b (2).xml", "a_b (3).xml", "a_b (4).xml", "a_b (5).xml", "a_b (6).xml", "a_b (7).xml",
        "a_b (8).xml", "a_b (9).xml", "a_b (10).xml", "CON_.xml", "nul_.txt.xml", "Office_.xml", ".._x.xml", "Case.xml",
        "CASE (2).xml", "ABCDEF_1.xml"},
       "a\\b\r\na/b\r\na:b\r\na*b\r\na?b\r\na\"b\r\na<b\r\na>b\r\na|b\r\na\x01"
       "b\r\nCON\r\nnul.txt\r\nOffice.\r\n..\\x\r\n"
       "Case\r\nCASE\r\nABCDEF~1\r\n",
       "<name>..\\x</name>",
       " - Exported AP 'nul.txt' from interface '" + kA + "' to '" + Path("out") + "\\nul_.txt.xml'.",
       true},
      {"one name on two interfaces, a failing WlanGetProfile",
       1252,
       {Profile("Net", ProfileXml("Net")), failing, Profile("Same", ProfileXml("Same"))},
       {Profile("Net", HexProfile("Net")), Profile("Same", ProfileXml("Same")), Profile("Ωx", ProfileXml("x"))},
       {"Net.xml", "Net (2).xml", "Same.xml", "_x.xml"},
       "Net\r\nSame\r\n",
       "",
       " - Error(5): Unable to export AP 'Bad' from interface '" + kA + "'.",
       false},
  };
  for (const ExportCase& c : cases) {
    SCOPED_TRACE(c.what);
    RemoveTree(Path("out"));
    RemoveTree(Path("again"));
    UseMachine(Machine(c.codePage, c.a, c.b));
    const std::string out = Output({"-export", Path("out")});
    EXPECT_NE(out.find(c.line), std::string::npos) << out;
    std::set<std::string> files = c.files;
    files.insert("ORDER.TXT");
    EXPECT_EQ(FilesIn(Path("out")), files);
    EXPECT_EQ(ReadFile(Path("out/ORDER.TXT")), c.order);
    EXPECT_NE(ReadFile(Path("out/" + *c.files.begin())).find(c.inFirstFile), std::string::npos);
    for (const std::string& file : c.files) {
      struct stat info;
      ASSERT_EQ(stat(Path("out/" + file).c_str(), &info), 0) << file;
      EXPECT_EQ(info.st_mode & 0777, 0600u) << file;  // the keys are in them
      EXPECT_EQ(ReadFile(Path("out/" + file)).compare(0, 23, "<?xml version=\"1.0\"?>\r\n"), 0) << file;
    }
    if (!c.deployAgain) continue;
    MachineJson target = Machine(c.codePage, {});
    SetControlFlags(target, kGuidA, DwordValue(0x04008000));
    UseMachine(target);
    EXPECT_EQ(Run({"-deploy", Path("out"), "-limit", kA}).exitCode, 0);
    EXPECT_EQ(StoredNames(0).size(), c.a.size());
    Output({"-export", Path("again"), "-limit", kA});
    for (const std::string& file : files)  // the same names, in the same order, with the same texts
      EXPECT_EQ(ReadFile(Path("again/" + file)), ReadFile(Path("out/" + file))) << file;
  }
}

// ORDER.TXT stays as it was when no profile is exported (none selected, a list that fails).
TEST_F(CaptureTest, ExportKeepsOrderTxtUnlessItWritesAProfile) {
  MachineJson machine = TwoInterfaceMachine();
  machine["wlan"]["interfaces"][0]["profileListError"] = 5;
  UseMachine(machine);
  mkdir(Path("out").c_str(), 0755);
  for (const std::string& limit : {std::string("{0-0-0-0000-000000000000}"), kA, kB}) {
    WriteFile(Path("out/ORDER.TXT"), "kept\n");
    Run({"-export", Path("out"), "-limit", limit});
    EXPECT_EQ(ReadFile(Path("out/ORDER.TXT")), limit == kB ? "CoffeeShop\r\n" : "kept\n") << limit;
  }
}

TEST_F(CaptureTest, OrderMovesTheNamedProfilesToTheTopOfTheirGroup) {
  struct OrderCase {
    std::vector<std::string> args;
    const char* positionError;  // the profile of interface A whose WlanSetProfilePosition fails
    std::string out;
    std::vector<std::string> orderA;
  };
  const std::string onA = " on interface '" + kA + "'.\n", onB = " on interface '" + kB + "'.\n";
  const OrderCase cases[] = {
      {{"-order", "Meeting-adhoc", "Office"},
       "",
       " - Moved AP 'Meeting-adhoc' to position 3" + onA + " - Moved AP 'Office' to position 1" + onA +
           " - Error(1168): Unable to move AP 'Meeting-adhoc'" + onB + " - Error(1168): Unable to move AP 'Office'" +
           onB,
       {"Office", "HomeNet", "Meeting-adhoc"}},
      {{"-order", "Office", "Missing", "HomeNet", "-limit", kA},
       "",
       " - Moved AP 'Office' to position 1" + onA + " - Error(1168): Unable to move AP 'Missing'" + onA +
           " - Moved AP 'HomeNet' to position 2" + onA,
       {"Office", "HomeNet", "Meeting-adhoc"}},
      {{"-order", "Office", "HomeNet", "-limit", kA},
       "Office",
       " - Error(5): Unable to move AP 'Office'" + onA + " - Moved AP 'HomeNet' to position 1" + onA,
       {"HomeNet", "Office", "Meeting-adhoc"}},
  };
  for (const OrderCase& c : cases) {
    MachineJson machine = TwoInterfaceMachine();
    machine["wlan"]["interfaces"][0]["profiles"].push_back(Profile("Meeting-adhoc", AdHocProfile("Meeting")));
    for (MachineJson& profile : machine["wlan"]["interfaces"][0]["profiles"])
      if (profile["name"] == c.positionError) profile["positionError"] = 5;
    UseMachine(machine);
    EXPECT_EQ(Output(c.args), c.out);
    EXPECT_EQ(StoredNames(0), c.orderA) << c.out;
  }
}

TEST_F(CaptureTest, StatusShowsEachInterfacesConnection) {
  struct StatusCase {
    const char* state;
    const char* connectedTo;
    const MachineJson flags;
    int queryError;
    std::string line;
  };
  const StatusCase cases[] = {
      {"connected", "HomeNet", DwordValue(0x04008003), 0, " / connected to 'HomeNet'"},
      {"authenticating", "Office", DwordValue(0x04008000), 0, " / authenticating with 'Office'"},
      {"disconnected", "", DwordValue(0x04008000), 0, " / disconnected"},
      {"connected", "HomeNet", DwordValue(0x04000000), 0, " / not managed by Windows"},
      {"connected", "HomeNet", MachineJson(), 0, " / not managed by Windows"},
      {"connected", "HomeNet", DwordValue(0x04008000), 1722, ""},
  };
  for (const StatusCase& c : cases) {
    MachineJson machine = TwoInterfaceMachine();
    MachineJson& a = machine["wlan"]["interfaces"][0];
    a["state"] = c.state;
    if (*c.connectedTo) a["connectedTo"] = c.connectedTo;
    if (c.queryError) a["queryError"] = c.queryError;
    if (!c.flags.is_null()) SetControlFlags(machine, kGuidA, c.flags);
    UseMachine(machine);
    const std::string line =
        c.queryError ? " - Error(1722): Unable to query interface '" + kA + "'." : kA + " / Adapter A" + c.line;
    EXPECT_EQ(Output({"-status", "-limit", kA}), "Connections By Interface:\n" + line + "\n\n");
  }
}

// The log and the summary end with the connections and the networks: A's older adapter can't join Office.
TEST_F(CaptureTest, DeployAppliesTheCapturedOrderAndEndsWithTheConnectionsAndNetworks) {
  MachineJson source = TwoInterfaceMachine();
  source["wlan"]["interfaces"][0]["profiles"].push_back(Profile("Meeting-adhoc", AdHocProfile("Meeting")));
  UseMachine(source);
  Output({"-order", "Office", "-export", Path("profiles")});
  WriteFile(Path("profiles/ORDER.TXT"), ReadFile(Path("profiles/ORDER.TXT")) + "Gone\r\n");
  MachineJson target = Machine(1252, {});
  SetControlFlags(target, kGuidA, DwordValue(0x04008000));
  target["wlan"]["interfaces"][0]["adapter"] = {{"encryptions", {"none", "TKIP"}}};
  target["wlan"]["interfaces"][0]["networks"] = {
      {{"ssid", "Office"}, {"signal", 70}, {"authentication", "WPA2PSK"}, {"encryption", "AES"}}};
  UseMachine(target);
  const ProgramRun run = Run({"-deploy", Path("profiles"), "-log", Path("logs")});
  EXPECT_EQ(run.exitCode, 5);  // "Gone" is on no interface
  EXPECT_EQ(StoredNames(0), (std::vector<std::string>{"Office", "HomeNet", "CoffeeShop", "Meeting-adhoc"}));
  const std::string states = "," + kA + ": disconnected; " + kB + ": not managed by Windows," + kA +
                             ": Office 70% not connectable (131073); HomeNet not in range; CoffeeShop not in range; " +
                             "Meeting-adhoc not in range; " + kB + ": Office not in range; HomeNet not in range; " +
                             "CoffeeShop not in range; Meeting-adhoc not in range\r\n";
  const std::string csv = ReadFile(Path("logs/XPCLIENT.csv"));
  EXPECT_EQ(csv.substr(csv.size() - states.size()), states);
  const std::string log = ReadFile(Path("logs/XPCLIENT.log"));
  EXPECT_NE(log.find(" - Error(1168): Unable to move AP 'Gone' on interface '" + kB + "'.\r\nAccess Points"),
            std::string::npos);
  EXPECT_NE(log.find("Connections By Interface:\r\n" + kA + " / Adapter A / disconnected\r\n" + kB +
                     " / Adapter B / not managed by Windows\r\n\r\nNetworks By Interface:\r\n" + kA +
                     " / Office / 70% / WPA2PSK AES / not connectable: (131073)"),
            std::string::npos)
      << log;
}

}  // namespace
