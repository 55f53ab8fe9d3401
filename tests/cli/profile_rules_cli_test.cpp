// What the stand-in's Native Wifi makes of profile files, as XP SP2 does: the reason code of
// each refusal, the security setups it takes, and the names and places of stored profiles.
#include <sys/stat.h>

#include "tests/cli/cli_fixture.h"

namespace {

const char kNamespace[] = "http://www.microsoft.com/networking/WLAN/profile/v1";

// A profile whose name element says "Ignored": XP names a stored profile by its SSID.
std::string Profile(const std::string& body) {
  return std::string("<WLANProfile xmlns=\"") + kNamespace + "\"><name>Ignored</name>" + body + "</WLANProfile>";
}

std::string Ssid(const std::string& name) {
  return "<SSIDConfig><SSID><name>" + name + "</name></SSID></SSIDConfig>";
}

const char kEss[] = "<connectionType>ESS</connectionType>";
const char kIbss[] = "<connectionType>IBSS</connectionType><connectionMode>manual</connectionMode>";

// MSM security: authentication, encryption, useOneX (empty: absent), then a key when keyType is given,
// then the 802.1X settings.
std::string Security(const std::string& authentication, const std::string& encryption, const std::string& oneX = "",
                     const std::string& keyType = "", const std::string& key = "",
                     const std::string& oneXSettings = "") {
  std::string text = "<MSM><security><authEncryption><authentication>" + authentication +
                     "</authentication><encryption>" + encryption + "</encryption>";
  if (!oneX.empty()) text += "<useOneX>" + oneX + "</useOneX>";
  text += "</authEncryption>";
  if (!keyType.empty())
    text += "<sharedKey><keyType>" + keyType + "</keyType><protected>false</protected><keyMaterial>" + key +
            "</keyMaterial></sharedKey>";
  return text + oneXSettings + "</security></MSM>";
}

// A network profile of the SSID "Net" with those security settings.
std::string Secured(const std::string& security) {
  return Profile(Ssid("Net") + kEss + security);
}

// 802.1X settings: the EAP method's type, then what EapHostConfig holds after it.
std::string OneX(const std::string& methodType, const std::string& config) {
  return "<OneX xmlns=\"http://www.microsoft.com/networking/OneX/v1\"><EAPConfig><EapHostConfig "
         "xmlns=\"http://www.microsoft.com/provisioning/EapHostConfig\"><EapMethod><Type "
         "xmlns=\"http://www.microsoft.com/provisioning/EapCommon\">" +
         methodType + "</Type></EapMethod>" + config + "</EapHostConfig></EAPConfig></OneX>";
}
// The method's own settings, an Eap element of that type.
std::string EapConfig(const std::string& type) {
  return "<Config><Eap xmlns=\"http://www.microsoft.com/provisioning/BaseEapConnectionPropertiesV1\"><Type>" + type +
         "</Type></Eap></Config>";
}
const std::string kPeap = OneX("25", EapConfig("25"));
const std::string kHex64(64, 'a');

class ProfileRulesTest : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    MachineJson machine = BaseMachine();
    machine["wlan"]["interfaces"] = {InterfaceEntry(kGuidB, "B", {"Home", "Park-adhoc"})};
    UseMachine(machine);
  }
  std::vector<std::string> StoredNames() const {
    std::vector<std::string> names;
    const MachineJson machine = SavedMachine();
    for (const auto& profile : machine["wlan"]["interfaces"][0]["profiles"]) names.push_back(profile["name"]);
    return names;
  }
  // The line of -add for that profile text.
  std::string Add(const std::string& text) {
    WriteFile(Path("p.xml"), text);
    return Output({"-add", Path("p.xml")});
  }
  std::string Refusal(const std::string& reason) const {
    return " - Error adding AP from file '" + Path("p.xml") + "' to interface '" + kGuidB + "': " + reason + "\n";
  }
  std::string Added() const {
    return " - Added AP from file '" + Path("p.xml") + "' to interface '" + kGuidB + "'.\n";
  }
};

const char kSchema[] = "(524289)The profile is invalid according to the schema.";
const char kMissing[] = "(524290)The text is not a WLANProfile document.";
const char kSsid[] = "(524307)The profile has no valid SSID.";
const char kAuthCipher[] = "(262153)The profile's authentication and encryption are not a valid combination.";
const char kOneXDisabled[] = "(262154)The profile's authentication needs 802.1X, which the profile disables.";
const char kOneXEnabled[] = "(262155)The profile enables 802.1X, which its authentication does not allow.";
const char kKeyType[] = "(262168)The key type in the profile does not fit its encryption.";
const char kKeyLength[] = "(262147)The WEP key in the profile has an invalid length.";
const char kPskLength[] = "(262148)The pre-shared key in the profile has an invalid length.";
const char kKeyChar[] = "(262167)The key material in the profile has an invalid character.";
const char kNoEapConfig[] = "(327689)The profile's 802.1X settings hold no EAP configuration.";
const char kEapType[] = "(327691)The profile's EAP method is not one this system supports.";
const char kEapProperties[] = "(327696)The profile's EAP connection properties are invalid.";

TEST_F(ProfileRulesTest, EachRefusalHasItsReasonCodeAndStoresNothing) {
  struct Case {
    const char* what;
    std::string text;
    const char* reason;
  };
  const std::string wep13 = "abcdefghijklm";
  const std::vector<Case> cases = {
      // Well-formed XML first, then the root element.
      {"empty text", "", kSchema},
      {"cut short", Profile(Ssid("Net") + kEss).substr(0, 60), kSchema},
      {"document type", "<!DOCTYPE WLANProfile>" + Profile(Ssid("Net") + kEss), kSchema},
      {"external entity", "<!DOCTYPE x [<!ENTITY e SYSTEM \"/etc/passwd\">]>" + Profile(Ssid("&e;") + kEss), kSchema},
      {"undeclared prefix", "<p:WLANProfile xmlns=\"" + std::string(kNamespace) + "\"><name>x</name></p:WLANProfile>",
       kSchema},
      {"other root", "<profile><name>x</name></profile>", kMissing},
      // The schema as XP applies it.
      {"no namespace", "<WLANProfile><name>x</name>" + Ssid("Net") + kEss + "</WLANProfile>", kSchema},
      {"no connectionType", Profile(Ssid("Net")), kSchema},
      {"unknown connectionType", Profile(Ssid("Net") + "<connectionType>BSS</connectionType>"), kSchema},
      {"elements out of order", Profile(std::string(kEss) + Ssid("Net")), kSchema},
      {"name of 256 characters",
       "<WLANProfile xmlns=\"" + std::string(kNamespace) + "\"><name>" + std::string(256, 'n') + "</name>" +
           Ssid("Net") + kEss + "</WLANProfile>",
       kSchema},
      {"two SSIDs",
       Profile("<SSIDConfig><SSID><name>A</name></SSID><SSID><name>B</name></SSID></SSIDConfig>" + std::string(kEss)),
       kSchema},
      {"protected key",
       Secured("<MSM><security><authEncryption><authentication>WPAPSK</authentication><encryption>TKIP"
               "</encryption></authEncryption><sharedKey><keyType>passPhrase</keyType><protected>"
               "true</protected><keyMaterial>01000000D08C9DDF</keyMaterial></sharedKey></security>"
               "</MSM>"),
       kSchema},
      {"keyIndex 4", Secured("<MSM><security><keyIndex>4</keyIndex></security></MSM>"), kSchema},
      {"IHV settings", Profile(Ssid("Net") + kEss + "<IHV/>"), kSchema},
      {"PMK caching", Secured("<MSM><security><PMKCacheMode>enabled</PMKCacheMode></security></MSM>"), kSchema},
      {"ad hoc in auto mode", Profile(Ssid("Net") + "<connectionType>IBSS</connectionType>"), kSchema},
      {"ad hoc non-broadcast",
       Profile("<SSIDConfig><SSID><name>Net</name></SSID><nonBroadcast>true</nonBroadcast></SSIDConfig>" +
               std::string(kIbss)),
       kSchema},
      {"autoSwitch in manual mode",
       Profile(Ssid("Net") + kEss + "<connectionMode>manual</connectionMode><autoSwitch>1</autoSwitch>"), kSchema},
      // The SSID.
      {"no SSIDConfig", Profile(kEss), kSsid},
      {"empty SSID", Profile("<SSIDConfig><SSID/></SSIDConfig>" + std::string(kEss)), kSsid},
      {"odd hex", Profile("<SSIDConfig><SSID><hex>414</hex></SSID></SSIDConfig>" + std::string(kEss)), kSsid},
      {"hex of 33 bytes",
       Profile("<SSIDConfig><SSID><hex>" + std::string(66, 'A') + "</hex></SSID></SSIDConfig>" + kEss), kSsid},
      {"bad hex beside a good name",
       Profile("<SSIDConfig><SSID><hex>4G</hex><name>Net</name></SSID></SSIDConfig>" + std::string(kEss)), kSsid},
      {"name of 33 bytes", Profile(Ssid(std::string(33, 's')) + kEss), kSsid},
      {"name of 17 two-byte characters", Profile(Ssid("ééééééééééééééééé") + kEss), kSsid},
      // Security, in the order of its rules.
      {"WPA2PSK with WEP", Secured(Security("WPA2PSK", "WEP", "false", "networkKey", "0123456789")), kAuthCipher},
      {"open with TKIP", Secured(Security("open", "TKIP")), kAuthCipher},
      {"ad hoc WPA2PSK",
       Profile(Ssid("Net") + kIbss + Security("WPA2PSK", "AES", "false", "passPhrase", "long enough")), kAuthCipher},
      {"WPA2 without 802.1X", Secured(Security("WPA2", "AES", "false")), kOneXDisabled},
      {"WPAPSK with 802.1X", Secured(Security("WPAPSK", "TKIP", "true", "passPhrase", "long enough")), kOneXEnabled},
      {"shared WEP with 802.1X", Secured(Security("shared", "WEP", "1", "networkKey", wep13)), kOneXEnabled},
      {"WEP passphrase", Secured(Security("open", "WEP", "false", "passPhrase", wep13)), kKeyType},
      {"WEP key of 6", Secured(Security("shared", "WEP", "", "networkKey", "abcdef")), kKeyLength},
      {"passphrase of 7", Secured(Security("WPAPSK", "TKIP", "", "passPhrase", "1234567")), kPskLength},
      {"passphrase of 64", Secured(Security("WPA2PSK", "AES", "", "passPhrase", kHex64)), kPskLength},
      {"network key of 63", Secured(Security("WPA2PSK", "AES", "", "networkKey", kHex64.substr(1))), kPskLength},
      {"network key not hex", Secured(Security("WPAPSK", "AES", "", "networkKey", "g" + kHex64.substr(1))), kKeyChar},
      {"passphrase with a tab", Secured(Security("WPAPSK", "AES", "", "passPhrase", "long\tenough")), kKeyChar},
      {"passphrase beyond ASCII", Secured(Security("WPAPSK", "AES", "", "passPhrase", "naïve key")), kKeyChar},
      {"10-digit WEP key not hex", Secured(Security("open", "WEP", "", "networkKey", "012345678x")), kKeyChar},
      // 802.1X: PEAP only, from the EAP configuration of the OneX settings.
      {"802.1X without OneX settings", Secured(Security("WPA2", "AES", "true")), kNoEapConfig},
      {"EAP-TLS", Secured(Security("WPA2", "AES", "true", "", "", OneX("13", EapConfig("13")))), kEapType},
      {"empty ConfigBlob", Secured(Security("WPA2", "AES", "true", "", "", OneX("25", "<ConfigBlob> </ConfigBlob>"))),
       "(0)Error 87."},  // ERROR_INVALID_PARAMETER: no reason code
      {"PEAP with EAP-TLS settings", Secured(Security("open", "WEP", "1", "", "", OneX("25", EapConfig("13")))),
       kEapProperties},
  };
  for (const Case& c : cases) EXPECT_EQ(Add(c.text), Refusal(c.reason)) << c.what;
  EXPECT_EQ(StoredNames(), (std::vector<std::string>{"Home", "Park-adhoc"}));
  // The dry run says what XP takes beside each of these refusals.
  mkdir(Path("refused").c_str(), 0755);
  for (size_t i = 0; i < cases.size(); ++i) WriteFile(Path("refused/" + std::to_string(i) + ".xml"), cases[i].text);
  std::vector<std::string> args = wrapper;
  args.insert(args.end(), {TESSAMIN_DRYRUN_BINARY, Path("refused")});
  const ProgramRun dryRun = RunProgram(args, {}, dir);
  EXPECT_EQ(dryRun.exitCode, 1);
  for (size_t i = 0; i < cases.size(); ++i)
    EXPECT_NE(dryRun.out.find(Path("refused/" + std::to_string(i) + ".xml: note: ")), std::string::npos)
        << cases[i].what;
}

TEST_F(ProfileRulesTest, EverySecuritySetupOfXpIsTaken) {
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"open", Secured(Security("open", "none", "false"))},
      {"open without security settings", Profile(Ssid("Net") + kEss)},
      {"WEP, open", Secured(Security("open", "WEP", "false", "networkKey", "abcde"))},
      {"WEP, shared", Secured(Security("shared", "WEP", "0", "networkKey", "0123456789abcdef0123456789"))},
      {"WEP, open, keys from 802.1X", Secured(Security("open", "WEP", "true", "", "", kPeap))},
      {"WEP without a key: asked for on connecting", Secured(Security("open", "WEP"))},
      {"WPA2-PSK without a key", Secured(Security("WPA2PSK", "AES"))},
      {"WPA-PSK, passphrase", Secured(Security("WPAPSK", "TKIP", "false", "passPhrase", "a passphrase"))},
      {"WPA-PSK, network key", Secured(Security("WPAPSK", "AES", "", "networkKey", kHex64))},
      {"WPA2-PSK, passphrase", Secured(Security("WPA2PSK", "AES", "false", "passPhrase", std::string(63, '~')))},
      {"WPA2-PSK, network key", Secured(Security("WPA2PSK", "TKIP", "false", "networkKey", kHex64))},
      {"WPA, 802.1X", Secured(Security("WPA", "TKIP", "true", "", "", kPeap))},
      {"WPA2, 802.1X, PEAP settings as a blob",
       Secured(Security("WPA2", "AES", "true", "", "", OneX("25", "<ConfigBlob>0A</ConfigBlob>")))},
      {"WPA2, 802.1X, OneX and FIPS settings",
       Profile(Ssid("Net") + kEss +
               "<MSM><security><authEncryption><authentication>WPA2</authentication><encryption>AES</encryption>"
               "<useOneX>true</useOneX><FIPSMode xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v2\">false"
               "</FIPSMode></authEncryption>" +
               kPeap + "</security></MSM>")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Add(c.second), Added()) << c.first;
    EXPECT_EQ(StoredNames().front(), "Net") << c.first;
  }
  const std::vector<std::pair<const char*, std::string>> adHoc = {
      {"ad hoc, open", Profile(Ssid("Meet") + kIbss)},
      {"ad hoc, WEP", Profile(Ssid("Meet") + kIbss + Security("shared", "WEP", "", "networkKey", "0123456789"))},
  };
  for (const auto& c : adHoc) {
    EXPECT_EQ(Add(c.second), Added()) << c.first;
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"Net", "Home", "Meet-adhoc", "Park-adhoc"})) << c.first;
  }
}

TEST_F(ProfileRulesTest, StoredUnderTheSsidInPlaceOrAtTheTopOfItsGroup) {
  // An infrastructure profile goes to the top; its name is the SSID, not the name element.
  EXPECT_EQ(Add(Profile(Ssid("Cafe") + kEss)), Added());
  EXPECT_EQ(StoredNames(), (std::vector<std::string>{"Cafe", "Home", "Park-adhoc"}));
  // hex wins over name.
  EXPECT_EQ(Add(Profile("<SSIDConfig><SSID><hex>4C6962726172 79</hex><name>Other</name></SSID></SSIDConfig>" +
                        std::string(kEss))),
            Refusal(kSsid));  // blanks inside hex digits
  EXPECT_EQ(Add(Profile("<SSIDConfig><SSID><hex> 4c696272617279 </hex><name>Other</name></SSID></SSIDConfig>" +
                        std::string(kEss))),
            Added());
  EXPECT_EQ(StoredNames(), (std::vector<std::string>{"Library", "Cafe", "Home", "Park-adhoc"}));
  // An ad hoc profile goes first among the ad hoc ones, after every infrastructure one.
  EXPECT_EQ(Add(Profile(Ssid("Lab") + kIbss)), Added());
  EXPECT_EQ(StoredNames(), (std::vector<std::string>{"Library", "Cafe", "Home", "Lab-adhoc", "Park-adhoc"}));
  // The same SSID again replaces the stored profile where it stands.
  const std::string again = Profile(Ssid("Cafe") + kEss + Security("open", "WEP", "", "networkKey", "abcde"));
  EXPECT_EQ(Add(again), Added());
  EXPECT_EQ(StoredNames(), (std::vector<std::string>{"Library", "Cafe", "Home", "Lab-adhoc", "Park-adhoc"}));
  EXPECT_EQ(SavedMachine()["wlan"]["interfaces"][0]["profiles"][1]["xml"], again);
  // Deletion takes the stored name: the name element deletes nothing.
  EXPECT_EQ(Output({"-delete", "Ignored", "Lab-adhoc"}),
            std::string(" - Deleted AP 'Lab-adhoc' from interface '") + kGuidB + "'.\n");
}

TEST_F(ProfileRulesTest, SsidBytesAreReadInTheMachinesCodePage) {
  // 16 characters of two bytes in UTF-8 fit; in code page 1252 each is one byte.
  MachineJson machine = SavedMachine();
  machine["codePage"] = 65001;
  UseMachine(machine);
  const std::string sixteen = "éééééééééééééééé";
  EXPECT_EQ(Add(Profile(Ssid(sixteen) + kEss)), Added());
  machine = SavedMachine();
  machine["codePage"] = 1252;
  UseMachine(machine);
  EXPECT_EQ(Add(Profile(Ssid("\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9"
                             "\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9") +
                        kEss)),
            Added());
  // hex bytes are read in the code page too: E9 is é.
  EXPECT_EQ(Add(Profile("<SSIDConfig><SSID><hex>436166E9</hex></SSID></SSIDConfig>" + std::string(kEss))), Added());
  EXPECT_EQ(StoredNames()[0], "Café");
  EXPECT_EQ(StoredNames()[1].size(), 64u);  // 32 times é, two bytes each in the machine file
  EXPECT_EQ(StoredNames()[2], sixteen);
}

TEST_F(ProfileRulesTest, NothingIsStoredWhileWzcsvcCannotStart) {
  MachineJson machine = SavedMachine();
  machine["services"]["WZCSVC"]["startError"] = 1058;  // disabled
  UseMachine(machine);
  EXPECT_EQ(Add(Profile(Ssid("Net") + kEss)), " - Error starting Wifi API\n");
  EXPECT_EQ(Calls({"WlanOpenHandle"}), std::vector<std::string>{"WlanOpenHandle 1 -> 1062"});
  EXPECT_EQ(StoredNames(), (std::vector<std::string>{"Home", "Park-adhoc"}));
}

}  // namespace
