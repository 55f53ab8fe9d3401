// tessamin-dryrun as an administrator runs it: each file's lines and the exit code, on 1252,
// 1251 and 932, and never a trace of it in the user's machine or the temporary folder.
#include <dirent.h>
#include <sys/stat.h>

#include "tests/cli/cli_fixture.h"

namespace {

const char kProfile[] =
    "<?xml version=\"1.0\"?>\n<WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">\n"
    "<name>Home</name>\n<SSIDConfig><SSID><name>Home</name></SSID></SSIDConfig>\n"
    "<connectionType>ESS</connectionType><connectionMode>manual</connectionMode>\n"
    "<MSM><security><authEncryption><authentication>WPA2PSK</authentication><encryption>AES</encryption>"
    "<useOneX>false</useOneX></authEncryption>SETTINGS</security></MSM>\n</WLANProfile>\n";
const char kEmptyBlob[] =
    "<OneX xmlns=\"http://www.microsoft.com/networking/OneX/v1\"><EAPConfig><EapHostConfig "
    "xmlns=\"http://www.microsoft.com/provisioning/EapHostConfig\"><EapMethod><Type "
    "xmlns=\"http://www.microsoft.com/provisioning/EapCommon\">25</Type></EapMethod><ConfigBlob> </ConfigBlob>"
    "</EapHostConfig></EAPConfig></OneX>";
const char kSchemaRefusal[] = ": refused: 524289 (The profile is invalid according to the schema.)";

// The profile with each text replaced, everywhere, by the one after it.
std::string Profile(std::vector<std::string> changes = {}) {
  std::string text = kProfile;
  changes.insert(changes.end(), {"SETTINGS", ""});
  for (size_t i = 0; i + 1 < changes.size(); i += 2) {
    for (size_t at = 0; (at = text.find(changes[i], at)) != std::string::npos; at += changes[i + 1].size())
      text.replace(at, changes[i].size(), changes[i + 1]);
  }
  return text;
}

std::string Utf16(const std::string& ascii) {
  std::string text = "\xFF\xFE";
  for (char c : ascii) text += std::string(1, c) + '\0';
  return text;
}

struct Case {
  const char* what;
  std::vector<std::string> arguments;  // the file's path comes after them
  std::string file;                    // written to f.xml; none when empty
  std::vector<std::string> lines;      // "F" stands for the path
  int exitCode;
  const char* path = "f.xml";
  const char* shownPath = nullptr;  // as the lines show it, when that differs
  bool outputClosed = false;        // standard output a pipe whose reader has gone
};

class DryRunTest : public CliTest {};

TEST_F(DryRunTest, EachFileGetsItsResultLineItsNotesAndTheExitCode) {
  const Case cases[] = {
      {"ASCII name", {}, Profile(), {"F: stored as 'Home'"}, 0},
      {"Cyrillic in 1251",
       {"--code-page", "1251"},
       Profile({"Home", "\xC4\xEE\xEC"}),
       {"F: stored as '\xD0\x94\xD0\xBE\xD0\xBC' (code page 1251: C4 EE EC)"},
       0},
      {"Shift-JIS in 932",
       {"--code-page", "932"},
       Profile({"Home", "\x83\x7A\x81\x5B\x83\x80"}),
       {"F: stored as '\xE3\x83\x9B\xE3\x83\xBC\xE3\x83\xA0' (code page 932: 83 7A 81 5B 83 80)"},
       0},
      {"missing file", {}, "", {"F: cannot be read: No such file or directory"}, 1},
      {"folder: what -deploy adds, in its order, then the folder as -deploy meets it",
       {},
       "",
       {"F/.old-broken.xml: refused: 524290 (The text is not a WLANProfile document.)",
        "F/.old-broken.xml: note: line 1: XP takes a WLANProfile element, in the namespace "
        "http://www.microsoft.com/networking/WLAN/profile/v1, at the root; this one is 'x'",
        "F/a.xml: stored as 'Home'", "F/B.XML: stored as 'Home'", "F/c.xml: stored as 'Corp'",
        "F/c.xml: note: XP names the profile after its SSID, not after its name element 'Office'",
        "F: 'Home' is stored from a.xml and B.XML: -deploy adds them in this order, and only the profile of B.XML "
        "stays on the machine",
        "F: ORDER.TXT line 3: no file stores 'Office', so -deploy can't put it in order; c.xml has it as its name "
        "element, but XP stores that profile as 'Corp'"},
       1,
       "folder"},
      {"a folder, to a pipe whose reader has gone: the exit code tells", {}, "", {}, 1, "folder", nullptr, true},
      {"a UTF-8 file name", {}, Profile(), {"F: stored as 'Home'"}, 0, "B\xC3\xBCro \xCE\xA9.xml"},
      {"1 MiB",
       {},
       Profile({"</WLANProfile>", std::string(1048576 - Profile().size(), ' ') + "</WLANProfile>"}),
       {"F: stored as 'Home'"},
       0},
      {"1 MiB and a byte",
       {},
       Profile({"</WLANProfile>", std::string(1048577 - Profile().size(), ' ') + "</WLANProfile>"}),
       {"F: cannot be read: it is larger than 1 MiB (1048576 bytes), the most that tessamin -add reads"},
       1},
      {"control characters in the stored name",
       {},
       Profile({"<name>Home</name></SSID>", "<hex>1F201B7E7F809D9FA0</hex></SSID>"}),
       {"F: stored as '\\x1F \\x1B~\\x7F\xE2\x82\xAC\\xC2\\x9D\xC5\xB8\xC2\xA0' (code page 1252: 1F 20 1B 7E 7F 80 9D "
        "9F "
        "A0)",
        "F: note: XP names the profile after its SSID, not after its name element 'Home'"},
       0},
      {"control characters in the path, which Windows does not take",
       {},
       Profile(),
       {"F: cannot be read: its name holds a character that Windows file names can't hold"},
       1,
       "e\x1B[31m\x07.xml",
       "e\\x1B[31m\\x07.xml"},
      {"byte-order mark",
       {},
       "\xEF\xBB\xBF" + Profile(),
       {std::string("F") + kSchemaRefusal,
        "F: note: saved as UTF-8 with a byte-order mark, which XP reads as characters of code page 1252: save it as "
        "ANSI"},
       1},
      {"UTF-16",
       {},
       Utf16(Profile()),
       {std::string("F") + kSchemaRefusal,
        "F: note: saved as UTF-16 (\"Unicode\"), of which -add reads only what comes before the first zero byte: save "
        "it as ANSI"},
       1},
      {"UTF-8 declared, on 1251",
       {"--code-page", "1251"},
       Profile({"?>", " encoding=\"UTF-8\"?>", "Home", "\xD0\x94\xD0\xBE\xD0\xBC"}),
       {"F: stored under another SSID than the file means: as '\xD0\xA0\xE2\x80\x9D\xD0\xA0\xD1\x95\xD0\xA0\xD1\x98', "
        "for '\xD0\x94\xD0\xBE\xD0\xBC' (code page 1251: D0 94 D0 BE D0 BC)",
        "F: note: declares encoding 'UTF-8', but XP reads profile files in the machine's code page 1251: save the file "
        "in code page 1251, or give the SSID as <hex>C4EEEC</hex>"},
       1},
      {"UTF-8 declared, the SSID in hex, on 1251",
       {"--code-page", "1251"},
       Profile({"?>", " encoding=\"UTF-8\"?>", "<name>Home</name></SSID>", "<hex>C4EEEC</hex></SSID>"}),
       {"F: stored as '\xD0\x94\xD0\xBE\xD0\xBC' (code page 1251: C4 EE EC)",
        "F: note: XP names the profile after its SSID, not after its name element 'Home'"},
       0},
      {"UTF-8 without a declaration, on 1252",
       {},
       Profile({"Home", "Caf\xC3\xA9"}),
       {"F: stored under another SSID than the file means: as 'Caf\xC3\x83\xC2\xA9', for 'Caf\xC3\xA9' (code page "
        "1252: "
        "43 61 66 C3 A9)",
        "F: note: is UTF-8, XML's default without an encoding declaration, but XP reads profile files in the machine's "
        "code page 1252: save the file in code page 1252, or give the SSID as <hex>436166E9</hex>"},
       1},
      {"the same in code page 1252",
       {},
       Profile({"Home", "Caf\xE9"}),
       {"F: stored as 'Caf\xC3\xA9' (code page 1252: 43 61 66 E9)"},
       0},
      {"character reference on 1252",
       {},
       Profile({"Home</name></SSID>", "&#x414;om</name></SSID>"}),
       {"F: stored as '?om'", "F: note: the SSID holds characters not in code page 1252: '\xD0\x94' becomes '?'",
        "F: note: XP names the profile after its SSID, not after its name element 'Home'"},
       0},
      {"empty ConfigBlob",
       {},
       Profile({"SETTINGS", kEmptyBlob, "WPA2PSK", "WPA2", ">false", ">true"}),
       {"F: refused: error 87 (The parameter is incorrect.)",
        "F: note: the EAP ConfigBlob is empty: XP refuses it as an invalid argument, without a reason code"},
       1},
      {"name element differs",
       {},
       Profile({"Home</name>\n", "Office</name>\n"}),
       {"F: stored as 'Home'", "F: note: XP names the profile after its SSID, not after its name element 'Office'"},
       0},
      {"open network in auto mode",
       {},
       Profile({"manual", "auto", "WPA2PSK", "open", "AES", "none"}),
       {"F: stored as 'Home'",
        "F: note: an open network in auto mode: the machine joins any network named 'Home' by itself"},
       0},
      {"schema failure",
       {},
       Profile({"ESS<", "ESSX<"}),
       {std::string("F") + kSchemaRefusal,
        "F: note: line 5: Element 'connectionType': [facet 'enumeration'] The value 'ESSX' is not an element of the "
        "set {'ESS', 'IBSS'}."},
       1},
      {"a name that differs between code pages",
       {"--code-page", "all"},
       Profile({"Home</name></SSID>", "&#xFF71;</name></SSID>"}),
       {"F: code pages 874, 936, 949, 950 and 1250 to 1258: stored as '?' (3F)",
        "F: code page 932: stored as '\xEF\xBD\xB1' (B1)",
        "F: note: the SSID holds characters not in code pages 874, 936, 949, 950 and 1250 to 1258: '\xEF\xBD\xB1' "
        "becomes '?'",
        "F: note: XP names the profile after its SSID, not after its name element 'Home'"},
       0},
      {"no file", {}, "", {}, 2, ""},
      {"no such code page", {"--code-page", "437"}, Profile(), {}, 2},
      {"65001, which no XP machine has", {"--code-page", "65001"}, Profile(), {}, 2},
      {"65001 when asked for", {"--allow-65001", "--code-page", "65001"}, Profile(), {"F: stored as 'Home'"}, 0},
      {"not XML",
       {},
       "Home, WPA2, passphrase in the wiki\n",
       {std::string("F") + kSchemaRefusal,
        "F: note: it is not XML: a profile file is an XML document whose root element is WLANProfile"},
       1},
      {"a later schema's namespace",
       {},
       Profile({"profile/v1", "profile/v3"}),
       {std::string("F") + kSchemaRefusal,
        "F: note: line 2: its WLANProfile is in the namespace 'http://www.microsoft.com/networking/WLAN/profile/v3': "
        "XP takes the one of its own schema, http://www.microsoft.com/networking/WLAN/profile/v1"},
       1},
      {"a passphrase of 7",
       {},
       Profile({"SETTINGS",
                "<sharedKey><keyType>passPhrase</keyType><protected>false</protected><keyMaterial>1234567"
                "</keyMaterial></sharedKey>"}),
       {"F: refused: 262148 (The pre-shared key in the profile has an invalid length.)",
        "F: note: line 6: XP takes a passPhrase of 8 to 63 characters, or a networkKey of 64 hex digits; this one has "
        "7"},
       1},
      {"an EAP namespace mistyped",
       {},
       Profile({"WPA2PSK", "WPA2", ">false", ">true", "SETTINGS", kEmptyBlob, "EapCommon", "EapComon"}),
       {"F: refused: 327691 (The profile's EAP method is not one this system supports.)",
        "F: note: line 6: XP takes PEAP alone: EapMethod's Type 25, in the namespace "
        "http://www.microsoft.com/provisioning/EapCommon; this one is 25, in the namespace "
        "'http://www.microsoft.com/provisioning/EapComon'"},
       1},
  };
  mkdir(Path("folder").c_str(), 0755);
  mkdir(Path("folder/sub.xml").c_str(), 0755);  // no file: -deploy leaves it out
  WriteFile(Path("folder/a.xml"), Profile());
  WriteFile(Path("folder/B.XML"), Profile());
  WriteFile(Path("folder/.old-broken.xml"), "<x/>");
  WriteFile(Path("folder/c.xml"), Profile({"<name>Home</name>\n", "<name>Office</name>\n", "Home<", "Corp<"}));
  WriteFile(Path("folder/ORDER.TXT"), "Corp\r\n\r\nOffice\r\nHome\r\n");
  WriteFile(Path("folder/notes.txt"), "not a profile");
  mkdir(Path("tmp").c_str(), 0700);
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    unlink(Path(test.path).c_str());
    if (!test.file.empty()) WriteFile(Path(test.path), test.file);
    std::vector<std::string> args = wrapper;
    args.push_back(TESSAMIN_DRYRUN_BINARY);
    args.insert(args.end(), test.arguments.begin(), test.arguments.end());
    if (*test.path) args.push_back(Path(test.path));
    const std::map<std::string, std::string> env = {{"TESSAMIN_MACHINE", machinePath}, {"TMPDIR", Path("tmp")}};
    ProgramRun run;
    if (test.outputClosed) run.exitCode = WaitProgram(StartProgram(args, env, "", Path(".stderr")));
    else run = RunProgram(args, env, dir);
    ExpectNoCheckerReport(run);
    std::string expected;
    for (const std::string& line : test.lines)
      expected += Path(test.shownPath ? test.shownPath : test.path) + line.substr(1) + "\n";
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(run.exitCode, test.exitCode);
  }
  for (const char* option : {"--version", "-help", "--help"}) {
    const ProgramRun run = RunProgram({TESSAMIN_DRYRUN_BINARY, option}, {}, dir);
    const std::string start = option[2] == 'v' ? "tessamin-dryrun " TESSAMIN_VERSION "\n" : "usage: tessamin-dryrun";
    EXPECT_EQ(run.out.substr(0, start.size()), start) << option;
    EXPECT_EQ(run.exitCode, 0);
  }
  EXPECT_FALSE(FileExists(machinePath));
  DIR* folder = opendir(Path("tmp").c_str());
  int entries = 0;
  while (folder && readdir(folder)) ++entries;
  if (folder) closedir(folder);
  EXPECT_EQ(entries, 2);  // . and ..: the machines are kept in memory
}

}  // namespace
