// The driver inside this process, where arguments larger than exec can pass are possible.
#include "cli/driver.h"

#include "tests/unit/standin_fixture.h"

namespace {

class DriverInProcessTest : public StandinTest {
 protected:
  std::string RunCapturing(std::vector<std::string> words, int* exitCode) {
    words.insert(words.begin(), "tessamin");
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(&word[0]);
    testing::internal::CaptureStdout();
    *exitCode = RunTool(static_cast<int>(argv.size()), argv.data());
    fflush(stdout);
    return testing::internal::GetCapturedStdout();
  }
};

TEST_F(DriverInProcessTest, MegabyteArgumentsAreHandledLikeAnyOther) {
  UseMachine(TwoInterfaceMachine());
  const std::string huge(1 << 20, 'A');
  int exitCode = -1;
  EXPECT_EQ(RunCapturing({"-delete", huge, "-limit", huge, huge}, &exitCode), "");
  EXPECT_EQ(exitCode, 0);
  ResetProcess();
  const std::string out = RunCapturing({"-add", huge, "-limit", kGuidB}, &exitCode);
  EXPECT_EQ(out, " - Error adding AP from file '" + huge + "' to interface '" + kGuidB +
                     "': (524289)The profile is invalid according to the schema.\n");
}

TEST(BuildLimitList, KeepsDistinctValuesInFirstOrderUpToTheFirstEmpty) {
  OptionMap options;
  options["-limit"] = {"{B}", "{A}", "{B}", "{a}", "", "{C}"};
  EXPECT_EQ(BuildLimitList(options), (ValueList{"{B}", "{A}", "{a}"}));
  options["-limit"].clear();
  EXPECT_TRUE(BuildLimitList(options).empty());
}

}  // namespace
