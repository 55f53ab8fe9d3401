// The files shipped in the release package (dist/): README.TXT as Notepad on XP shows it,
// and the sample profiles, each stored under its SSID.
#include "tests/cli/cli_fixture.h"

namespace {

const std::string kDist = std::string(TESSAMIN_SOURCE_DIR) + "/dist/";

class DistTest : public CliTest {};

// Notepad on XP: CR LF line ends and nothing beyond plain ASCII; 78 columns fit its window
// and a console.
TEST_F(DistTest, ShippedTextFilesArePlainAsciiWithCrLfLineEnds) {
  for (const char* name : {"README.TXT", "samples/deploy.cmd", "samples/open.xml", "samples/adhoc.xml"}) {
    const std::string text = ReadFile(kDist + name);
    ASSERT_FALSE(text.empty()) << name;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << name;
    size_t lineStart = 0, lineNumber = 1;
    for (size_t i = 0; i < text.size(); ++i) {
      const unsigned char byte = static_cast<unsigned char>(text[i]);
      if (byte == '\r') {
        EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << name << " line " << lineNumber << ": lone CR";
      } else if (byte == '\n') {
        EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << name << " line " << lineNumber << ": LF without CR";
        if (std::string(name) == "README.TXT")
          EXPECT_LE(i - 1 - lineStart, 78u) << name << " line " << lineNumber << " is too wide";
        lineStart = i + 1;
        ++lineNumber;
      } else {
        EXPECT_TRUE(byte >= 32 && byte <= 126) << name << " line " << lineNumber << ": byte " << int(byte);
      }
    }
  }
}

TEST_F(DistTest, EverySampleIsAcceptedAndStoredUnderItsSsid) {
  const struct {
    const char* file;
    const char* storedName;
  } samples[] = {
      {"open.xml", "SAMPLE-OPEN"},
      {"wep-open.xml", "SAMPLE-WEP"},
      {"wep-shared.xml", "SAMPLE-WEP-SHARED"},
      {"wpa-psk-tkip.xml", "SAMPLE-WPA-PSK"},
      {"wpa2-psk-aes.xml", "SAMPLE-WPA2-PSK"},
      {"wpa2-psk-aes-key.xml", "SAMPLE-WPA2-KEY"},
      {"wpa2-enterprise-peap.xml", "SAMPLE-WPA2-PEAP"},
      {"adhoc.xml", "SAMPLE-ADHOC-adhoc"},
  };
  UseMachine(TwoInterfaceMachine());
  for (const auto& sample : samples) {
    const std::string path = kDist + "samples/" + sample.file;
    EXPECT_EQ(Output({"-add", path, "-limit", kGuidB}),
              " - Added AP from file '" + path + "' to interface '" + kGuidB + "'.\n");
    const std::string listing = Output({"-aps", "-limit", kGuidB});
    EXPECT_NE(listing.find(" / " + std::string(sample.storedName) + "\n"), std::string::npos)
        << sample.file << "\n" << listing;
    EXPECT_EQ(Output({"-delete", sample.storedName, "-limit", kGuidB}),
              " - Deleted AP '" + std::string(sample.storedName) + "' from interface '" + kGuidB + "'.\n");
  }
}

}  // namespace
