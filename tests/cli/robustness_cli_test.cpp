// Bad and extreme input, concurrent runs and runs killed at any moment.
#include <dirent.h>
#include <signal.h>
#include <time.h>

#include <random>
#include <set>

#include "tests/cli/cli_fixture.h"

namespace {

class RobustnessTest : public CliTest {
 protected:
  std::map<std::string, std::string> Environment() const { return {{"TESSAMIN_MACHINE", machinePath}}; }
  std::vector<std::string> Command(const std::vector<std::string>& args) const {
    std::vector<std::string> command = {TESSAMIN_BINARY};
    command.insert(command.end(), args.begin(), args.end());
    return command;
  }
  std::set<std::string> FilesInDir() const {
    std::set<std::string> names;
    DIR* folder = opendir(dir.c_str());
    for (dirent* entry; folder && (entry = readdir(folder));) names.insert(entry->d_name);
    if (folder) closedir(folder);
    return names;
  }
  std::string RejectedLine(const std::string& path, const std::string& guidText) const {
    return " - Error adding AP from file '" + path + "' to interface '" + guidText +
           "': (524289)The profile is invalid according to the schema.\n";
  }
  // Kills the run at random moments; every time the machine file must hold one of the states
  // the run passes through, whole.
  void KillAtRandom(const MachineJson& start, const std::vector<std::string>& args,
                    const std::vector<MachineJson>& allowed, int rounds) {
    // Kill moments spread over the time one whole run takes.
    UseMachine(start);
    timespec before, after;
    clock_gettime(CLOCK_MONOTONIC, &before);
    WaitProgram(StartProgram(Command(args), Environment(), Path(".out"), Path(".err")));
    clock_gettime(CLOCK_MONOTONIC, &after);
    const long runNanoseconds = (after.tv_sec - before.tv_sec) * 1000000000L + (after.tv_nsec - before.tv_nsec);
    std::mt19937 random(12345);
    std::uniform_int_distribution<long> delay(0, runNanoseconds + runNanoseconds / 5);
    std::set<std::string> allowedTexts;
    for (const MachineJson& state : allowed) allowedTexts.insert(state.dump());
    int interrupted = 0;
    for (int round = 0; round < rounds; ++round) {
      UseMachine(start);
      const pid_t run = StartProgram(Command(args), Environment(), Path(".out"), Path(".err"));
      const timespec pause = {0, delay(random)};
      nanosleep(&pause, nullptr);
      kill(run, SIGKILL);
      if (WaitProgram(run) == -1) ++interrupted;
      const std::string text = ReadFile(machinePath);
      const MachineJson saved = MachineJson::parse(text, nullptr, false);
      ASSERT_FALSE(saved.is_discarded()) << "round " << round << ": '" << text.substr(0, 200) << "'";
      ASSERT_EQ(allowedTexts.count(saved.dump()), 1u) << "round " << round << ": " << text;
    }
    EXPECT_GT(interrupted, rounds / 4);  // most rounds did stop the run midway
  }
};

TEST_F(RobustnessTest, AddPathsThatAreNoProfileFiles) {
  UseMachine(TwoInterfaceMachine());
  const std::string longPath = dir + "/" + std::string(4000, 'x') + ".xml";
  for (const std::string& path : {std::string("/dev/null"), dir, longPath}) {
    const ProgramRun run = Run({"-add", path, "-limit", kGuidB});
    EXPECT_EQ(run.out, RejectedLine(path, kGuidB));
    EXPECT_EQ(run.exitCode, 0);
  }
}

TEST_F(RobustnessTest, FiftyMegabyteProfileIsStoredWhole) {
  UseMachine(TwoInterfaceMachine());
  const std::string path = Path("big.xml");
  // Fifty comments of a megabyte: each stays within the parser's limit on a single node.
  std::string comments;
  for (int i = 0; i < 50; ++i) comments += "<!--" + std::string(1 << 20, 'z') + "-->";
  std::string big = ProfileXml("Big");
  big.insert(big.rfind("</WLANProfile>"), comments);
  WriteFile(path, big + "\n");
  const ProgramRun run = Run({"-add", path, "-limit", kGuidB});
  EXPECT_EQ(run.out, " - Added AP from file '" + path + "' to interface '" + kGuidB + "'.\n");
  const MachineJson machine = SavedMachine();
  EXPECT_EQ(machine["wlan"]["interfaces"][1]["profiles"][0]["xml"].get<std::string>().size(), big.size());
}

TEST_F(RobustnessTest, ManyAndHugeValues) {
  UseMachine(TwoInterfaceMachine());
  std::vector<std::string> args = {"-delete"};
  for (int i = 0; i < 10000; ++i) args.push_back("absent-" + std::to_string(i));
  args.push_back("Office");
  ProgramRun run = Run(args);
  EXPECT_EQ(run.out, std::string(" - Deleted AP 'Office' from interface '") + kGuidTextA + "'.\n");
  EXPECT_EQ(run.exitCode, 0);

  const std::string huge(120 * 1024, 'n');  // close to the largest single argument Linux passes
  run = Run({"-delete", huge, "-limit", huge, "-aps"});
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.exitCode, 0);
  run = Run({"-add", huge, "-limit", kGuidB});
  EXPECT_EQ(run.out, RejectedLine(huge, kGuidB));
}

TEST_F(RobustnessTest, ArgumentsWithEveryHighByte) {
  UseMachine(TwoInterfaceMachine());
  std::string high;
  for (int byte = 0x80; byte <= 0xFF; ++byte) high.push_back(static_cast<char>(byte));
  for (int codePage : {65001, 1252}) {
    MachineJson machine = TwoInterfaceMachine();
    machine["codePage"] = codePage;
    UseMachine(machine);
    ProgramRun run = Run({"-delete", high, "-add", high, "-limit", high});
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.exitCode, 0);
    run = Run({"-" + high, high});
    EXPECT_EQ(run.out, ReadFile(TESSAMIN_SOURCE_DIR "/tests/cli/usage.txt"));
    const std::string path = Path(high.substr(0, 100));
    // The bytes stand in the profile's own name; the SSID, which names it, is given in hex.
    std::string profile = ProfileXml("x");
    profile.replace(profile.find("<name>x</name>"), 14, "<name>" + high + "</name>");
    profile.replace(profile.find("<name>x</name>"), 14, "<hex>48696768</hex>");
    WriteFile(path, profile);
    run = Run({"-add", path, "-limit", kGuidB});
    EXPECT_EQ(run.out, " - Added AP from file '" + path + "' to interface '" + kGuidB + "'.\n");
    EXPECT_EQ(SavedMachine()["wlan"]["interfaces"][1]["profiles"][0]["name"], "High");
  }
}

TEST_F(RobustnessTest, NothingIsWrittenBesideTheMachineFile) {
  UseMachine(TwoInterfaceMachine());
  const std::string path = Path("p.xml");
  WriteFile(path, ProfileXml("New"));
  Run({"-help"});  // the test's own output and trace files
  const std::set<std::string> before = FilesInDir();
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"-add", path}, {"-delete", "New"}, {"-enable"}, {"-nics", "-aps"}}) {
    Run(args);
  }
  std::set<std::string> expected = before;
  expected.insert("machine.json.lock");
  EXPECT_EQ(FilesInDir(), expected);
}

TEST_F(RobustnessTest, SixteenConcurrentAdditionsAllArrive) {
  MachineJson machine = BaseMachine();
  machine["services"]["WZCSVC"]["state"] = "running";
  machine["wlan"]["interfaces"] = {InterfaceEntry(kGuidB, "B")};
  UseMachine(machine);
  std::vector<pid_t> runs;
  for (int i = 0; i < 16; ++i) {
    const std::string path = Path("p" + std::to_string(i) + ".xml");
    WriteFile(path, ProfileXml("Profile" + std::to_string(i)));
    runs.push_back(StartProgram(Command({"-add", path}), Environment(), path + ".out", path + ".err"));
  }
  for (pid_t run : runs) EXPECT_EQ(WaitProgram(run), 0);
  std::set<std::string> names;
  const MachineJson saved = SavedMachine();
  for (const auto& profile : saved["wlan"]["interfaces"][0]["profiles"]) names.insert(profile["name"]);
  EXPECT_EQ(names.size(), 16u);
}

TEST_F(RobustnessTest, KilledAdditionLeavesTheMachineBeforeOrAfter) {
  MachineJson start = BaseMachine();
  start["services"]["WZCSVC"]["state"] = "running";
  start["wlan"]["interfaces"] = {InterfaceEntry(kGuidB, "B", {"HomeNet"})};
  const std::string path = Path("p.xml");
  WriteFile(path, ProfileXml("Guest"));
  MachineJson after = start;
  after["wlan"]["interfaces"][0]["profiles"].insert(after["wlan"]["interfaces"][0]["profiles"].begin(),
                                                    ProfileEntry("Guest"));
  KillAtRandom(start, {"-add", path}, {start, after}, 150);
  MachineJson deleted = start;
  deleted["wlan"]["interfaces"][0]["profiles"] = MachineJson::array();
  KillAtRandom(start, {"-delete", "HomeNet"}, {start, deleted}, 150);
}

TEST_F(RobustnessTest, KilledEnableLeavesOneOfItsSteps) {
  MachineJson start = BaseMachine();
  start["services"]["WZCSVC"]["state"] = "running";
  start["wlan"]["interfaces"] = {InterfaceEntry(kGuidB, "B")};
  SetControlFlags(start, kGuidB, DwordValue(3));
  MachineJson stopped = start, written = start, restarted = start;
  stopped["services"]["WZCSVC"]["state"] = "stopped";
  SetControlFlags(written, kGuidB, DwordValue(0x04008003));
  written["services"]["WZCSVC"]["state"] = "stopped";
  SetControlFlags(restarted, kGuidB, DwordValue(0x04008003));
  KillAtRandom(start, {"-enable"}, {start, stopped, written, restarted}, 200);
}

}  // namespace
