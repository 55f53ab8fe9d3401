// -add and -delete: what they print and what they leave in the profile store.
#include <sys/stat.h>

#include "tests/cli/cli_fixture.h"

namespace {

class ProfilesTest : public CliTest {
 protected:
  std::vector<std::string> ProfileNames(size_t interfaceIndex) const {
    std::vector<std::string> names;
    const MachineJson machine = SavedMachine();
    for (const auto& profile : machine["wlan"]["interfaces"][interfaceIndex]["profiles"])
      names.push_back(profile["name"]);
    return names;
  }
  std::string StoredXml(size_t interfaceIndex, const std::string& name) const {
    const MachineJson machine = SavedMachine();
    for (const auto& profile : machine["wlan"]["interfaces"][interfaceIndex]["profiles"])
      if (profile["name"] == name) return profile["xml"];
    return "(absent)";
  }
  std::string AddedLine(const std::string& path, const std::string& guidText) const {
    return " - Added AP from file '" + path + "' to interface '" + guidText + "'.\n";
  }
  std::string RejectedLine(const std::string& path, const std::string& guidText) const {
    return " - Error adding AP from file '" + path + "' to interface '" + guidText +
           "': (524289)The profile is invalid according to the schema.\n";
  }
};

TEST_F(ProfilesTest, AddStoresTheProfileOnEverySelectedInterfaceUpToItsLastTag) {
  UseMachine(TwoInterfaceMachine());
  const std::string path = Path("guest.xml");
  WriteFile(path, ProfileXml("Guest") + "\n  \n<!-- trailing --> and text");
  EXPECT_EQ(Output({"-add", path}), AddedLine(path, kGuidTextA) + AddedLine(path, kGuidB));
  EXPECT_EQ(StoredXml(0, "Guest"), ProfileXml("Guest") + "\n  \n<!-- trailing -->");
  EXPECT_EQ(ProfileNames(1), (std::vector<std::string>{"Guest", "CoffeeShop"}));

  std::string crlf;
  for (char c : ProfileXml("Guest") + "\n") crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  WriteFile(path, crlf);
  EXPECT_EQ(Output({"-add", path, "-limit", kGuidB}), AddedLine(path, kGuidB));
  EXPECT_EQ(StoredXml(1, "Guest"), ProfileXml("Guest"));
  EXPECT_EQ(ProfileNames(1), (std::vector<std::string>{"Guest", "CoffeeShop"}));  // replaced in place
}

TEST_F(ProfilesTest, UnreadableOrTaglessFileIsOfferedAsEmptyTextAndRejectedPerInterface) {
  UseMachine(TwoInterfaceMachine());
  const std::string missing = Path("missing.xml"), tagless = Path("tagless.xml"), empty = Path("empty.xml");
  WriteFile(tagless, "no tags here\n");
  WriteFile(empty, "");
  for (const std::string& path : {missing, tagless, empty, dir}) {
    EXPECT_EQ(Output({"-add", path}), RejectedLine(path, kGuidTextA) + RejectedLine(path, kGuidB)) << path;
  }
  EXPECT_EQ(ProfileNames(0), (std::vector<std::string>{"HomeNet", "Office"}));
}

TEST_F(ProfilesTest, TextAfterANulByteIsNotSent) {
  UseMachine(TwoInterfaceMachine());
  const std::string path = Path("with-nul.xml");  // NUL.xml would be the device
  WriteFile(path, ProfileXml("A") + std::string(1, '\0') + "<more/>");
  EXPECT_EQ(Output({"-add", path, "-limit", kGuidB}), AddedLine(path, kGuidB));
  EXPECT_EQ(StoredXml(1, "A"), ProfileXml("A"));
}

TEST_F(ProfilesTest, FailedReasonTextGetsAFixedFallback) {
  MachineJson machine = TwoInterfaceMachine();
  machine["wlan"]["reasonError"] = 87;
  UseMachine(machine);
  EXPECT_EQ(Output({"-add", Path("none.xml"), "-limit", kGuidB}), " - Error adding AP from file '" + Path("none.xml") +
                                                                      "' to interface '" + kGuidB +
                                                                      "': (524289)Unknown reason.\n");
}

TEST_F(ProfilesTest, DeleteRemovesEveryMatchOnEverySelectedInterface) {
  MachineJson machine = TwoInterfaceMachine();
  machine["wlan"]["interfaces"][1]["profiles"].push_back(ProfileEntry("HomeNet"));
  UseMachine(machine);
  const ProgramRun run = Run({"-delete", "homenet", "HomeNet ", "HomeNet"});
  EXPECT_EQ(run.out, std::string(" - Deleted AP 'HomeNet' from interface '") + kGuidTextA + "'.\n" +
                         " - Deleted AP 'HomeNet' from interface '" + kGuidB + "'.\n");
  // Each list is freed once: the stand-in ends a run that frees one twice, with a line on stderr.
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Calls({"WlanFreeMemory"}).size(), Calls({"WlanGetProfileList"}).size() + 1);  // and the interface list
  EXPECT_EQ(ProfileNames(0), std::vector<std::string>{"Office"});
  EXPECT_EQ(ProfileNames(1), std::vector<std::string>{"CoffeeShop"});
}

TEST_F(ProfilesTest, RefusedDeletionIsReportedAndTheSearchGoesOn) {
  MachineJson machine = BaseMachine();
  MachineJson entry = InterfaceEntry(kGuidB, "B");
  MachineJson locked = ProfileEntry("Dup");
  locked["deleteError"] = 5;
  entry["profiles"] = {locked, ProfileEntry("Dup")};
  entry["profiles"][1]["name"] = "Dup";
  machine["wlan"]["interfaces"] = {entry, InterfaceEntry(kGuidA, "A", {"Dup"})};
  UseMachine(machine);
  EXPECT_EQ(Output({"-delete", "Dup"}), std::string(" - Error(5): Unable to delete AP 'Dup' from interface '") +
                                            kGuidB + "'.\n - Error(5): Unable to delete AP 'Dup' from interface '" +
                                            kGuidB + "'.\n - Deleted AP 'Dup' from interface '" + kGuidTextA + "'.\n");
}

TEST_F(ProfilesTest, FailedSaveIsNeitherStoredNorListedAndGivesReasonUnknown) {
  MachineJson machine = TwoInterfaceMachine();
  machine["services"]["WZCSVC"]["state"] = "running";
  UseMachine(machine);
  const std::string before = ReadFile(machinePath);
  const std::string path = Path("guest.xml");
  WriteFile(path, ProfileXml("Guest"));
  // A folder where the save's temporary file goes makes every save fail.
  ASSERT_EQ(mkdir((machinePath + ".tmp").c_str(), 0755), 0);
  const ProgramRun run = Run({"-add", path, "-aps", "-limit", kGuidB});
  EXPECT_NE(run.out.find("' to interface '" + std::string(kGuidB) + "': (65537)"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("/ Guest"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("/ CoffeeShop"), std::string::npos) << run.out;
  EXPECT_EQ(ReadFile(machinePath), before);
}

TEST_F(ProfilesTest, DeletionsRunBeforeAdditionsWhateverTheOrder) {
  UseMachine(TwoInterfaceMachine());
  const std::string path = Path("home.xml");
  WriteFile(path, ProfileXml("HomeNet"));
  EXPECT_EQ(
      Output({"-add", path, "-limit", kGuidTextA, "-delete", "HomeNet"}),
      std::string(" - Deleted AP 'HomeNet' from interface '") + kGuidTextA + "'.\n" + AddedLine(path, kGuidTextA));
  EXPECT_EQ(ProfileNames(0), (std::vector<std::string>{"HomeNet", "Office"}));
}

TEST_F(ProfilesTest, NamesBeyondAsciiInTheMachinesCodePage) {
  // The tool deals in the code page's bytes; the machine file holds the name in UTF-8.
  const struct {
    int codePage;
    const char* name;
    const char* stored;
  } cases[] = {
      {65001, "Café-€", "Café-€"},
      {1252, "Caf\xE9-\x80", "Café-€"},
      {0, "Caf\xE9-\x80", "Café-€"},  // 1252
      {1251, "\xCA\xE0\xF4\xE5", "Кафе"},
      {874, "\xA1\xD2\xE1\xBF", "กาแฟ"},
      {932, "\x83\x4A\x83\x74\x83\x46\x83\x80", "カフェム"},  // 80 alone would be a control character
      {936, "\xBF\xA7\xB7\xC8", "咖啡"},
      {949, "\xC4\xAB\xC6\xE4", "카페"},
      {950, "\xA9\x40\xB0\xD8", "咖啡"},
  };
  MachineJson machine = BaseMachine();
  machine["wlan"]["interfaces"] = {InterfaceEntry(kGuidB, "B")};
  for (const auto& c : cases) {
    machine["codePage"] = c.codePage;
    UseMachine(machine);
    const std::string name = c.name;
    const std::string path = Path("cafe.xml");
    WriteFile(path, ProfileXml(name));
    EXPECT_EQ(Output({"-add", path}), AddedLine(path, kGuidB));
    EXPECT_EQ(ProfileNames(0), std::vector<std::string>{c.stored}) << c.codePage;
    EXPECT_EQ(Output({"-aps"}), "Access Points By Interface:\nB / " + name + "\n\n");
    // Typed on a UTF-8 terminal, the name reaches the tool in the code page; the 0 row passes its bytes.
    const std::string typed = c.codePage == 0 ? name : c.stored;
    EXPECT_EQ(Output({"-delete", typed}), " - Deleted AP '" + name + "' from interface '" + kGuidB + "'.\n");
    EXPECT_TRUE(ProfileNames(0).empty());
  }
}

TEST_F(ProfilesTest, TraceHoldsTheToolsConversionsOnly) {
  // The profile file's text is converted once, sized first; the stand-in converts each SSID
  // with functions of its own.
  UseMachine(TwoInterfaceMachine());
  const std::string path = Path("cafe.xml"), text = ProfileXml("Caf\xE9");
  WriteFile(path, text);
  EXPECT_EQ(Output({"-add", path}), AddedLine(path, kGuidTextA) + AddedLine(path, kGuidB));
  const std::string conversion =
      "MultiByteToWideChar 1252 " + std::to_string(text.size() + 1) + " -> " + std::to_string(text.size() + 1);
  const std::string pathConversion =  // before, to open the file
      "MultiByteToWideChar 1252 " + std::to_string(path.size() + 1) + " -> " + std::to_string(path.size() + 1);
  EXPECT_EQ(Calls({"MultiByteToWideChar", "WideCharToMultiByte"}),
            (std::vector<std::string>{pathConversion, pathConversion, conversion, conversion}));
}

TEST_F(ProfilesTest, LongNamesAreComparedWhole) {
  MachineJson machine = BaseMachine();
  machine["codePage"] = 65001;
  std::string longName;
  for (int i = 0; i < 200; ++i) longName += "é";  // 400 bytes in UTF-8
  machine["wlan"]["interfaces"] = {InterfaceEntry(kGuidB, "B", {longName.c_str()})};
  UseMachine(machine);
  EXPECT_EQ(Output({"-delete", longName.substr(0, 254)}), "");
  EXPECT_EQ(Output({"-delete", longName}), " - Deleted AP '" + longName + "' from interface '" + kGuidB + "'.\n");
  // On 1252 a name typed in UTF-8 is compared in the code page: 255 characters, and not one more.
  while (longName.size() < 512) longName += "é";
  machine["codePage"] = 1252;
  machine["wlan"]["interfaces"] = {InterfaceEntry(kGuidB, "B", {longName.substr(0, 510).c_str()})};
  UseMachine(machine);
  EXPECT_EQ(Output({"-delete", longName}), "");
  EXPECT_EQ(Output({"-delete", longName.substr(0, 510)}),
            " - Deleted AP '" + std::string(255, '\xE9') + "' from interface '" + kGuidB + "'.\n");
}

}  // namespace
