// The files shipped in the release package (dist/): README.TXT as Notepad on XP shows it,
// and the sample profiles, each stored under the SSID its comment names.
#include <filesystem>
#include <regex>

#include "tests/cli/cli_fixture.h"

namespace {

const std::string kDist = std::string(TESSAMIN_SOURCE_DIR) + "/dist/";

class DistTest : public CliTest {};

// Notepad on XP: CR LF line ends and nothing beyond plain ASCII; 78 columns fit its window
// and a console.
TEST_F(DistTest, ShippedTextFilesArePlainAsciiWithCrLfLineEnds) {
  for (const char* name : {"README.TXT", "deploy.cmd", "profiles/PROFILES.TXT", "samples/open.xml"}) {
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
        if (std::string(name) == "README.TXT") {
          EXPECT_LE(i - 1 - lineStart, 78u) << name << " line " << lineNumber << " is too wide";
        }
        lineStart = i + 1;
        ++lineNumber;
      } else {
        EXPECT_TRUE(byte >= 32 && byte <= 126) << name << " line " << lineNumber << ": byte " << int(byte);
      }
    }
  }
}

// README.TXT lists each sample on a line of its own: the file name first, its stored name last.
TEST_F(DistTest, EverySampleIsAcceptedAndStoredUnderTheSsidItsCommentAndReadmeName) {
  UseMachine(TwoInterfaceMachine());
  const std::string readme = ReadFile(kDist + "README.TXT");
  const std::regex storedAs("stores it under its SSID[^:]*: (\\S+) -->");
  int samples = 0;
  for (const auto& file : std::filesystem::directory_iterator(kDist + "samples")) {
    const std::string path = file.path().string();
    std::smatch comment;
    const std::string text = ReadFile(path);
    ASSERT_TRUE(std::regex_search(text, comment, storedAs)) << path;
    const std::string storedName = comment[1];
    const size_t line = readme.find("\r\n  " + file.path().filename().string() + " ");
    ASSERT_NE(line, std::string::npos) << path << " is not in README.TXT";
    EXPECT_EQ(readme.substr(readme.find("\r\n", line + 2) - storedName.size() - 1, storedName.size() + 1),
              " " + storedName)
        << path;
    EXPECT_EQ(Output({"-add", path, "-limit", kGuidB}),
              " - Added AP from file '" + path + "' to interface '" + kGuidB + "'.\n");
    const std::string listing = Output({"-aps", "-limit", kGuidB});
    EXPECT_NE(listing.find(" / " + storedName + "\n"), std::string::npos) << path << "\n" << listing;
    EXPECT_EQ(Output({"-delete", storedName, "-limit", kGuidB}),
              " - Deleted AP '" + storedName + "' from interface '" + kGuidB + "'.\n");
    ++samples;
  }
  EXPECT_EQ(samples, 10);
}

}  // namespace
