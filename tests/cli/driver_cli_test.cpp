// The command line as a whole: usage screen, exit codes, the service check, order of actions.
#include "tests/cli/cli_fixture.h"

namespace {

const std::string kUsage = ReadFile(TESSAMIN_SOURCE_DIR "/tests/cli/usage.txt");
const char kNoService[] = "Unable to access Wireless Zero Configuration service.\n";

class DriverTest : public CliTest {};

TEST_F(DriverTest, UsageScreenWithoutTouchingTheService) {
  UseMachine(TwoInterfaceMachine());
  const std::string before = ReadFile(machinePath);
  const std::string version = "tessamin " TESSAMIN_VERSION "\n";
  for (const auto& c : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{}, kUsage},
           {{"-help"}, kUsage},
           {{"stray", "words"}, kUsage},
           {{"-aps", "-help", "-enable", "-delete", "HomeNet"}, kUsage},
           {{"--version"}, version},
           {{"-aps", "--version", "-enable"}, version},
           {{"--version", "-help"}, kUsage}}) {
    const ProgramRun run = Run(c.first);
    EXPECT_EQ(run.out, c.second);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(Calls({"OpenSCManagerW"}).empty());
  }
  EXPECT_EQ(ReadFile(machinePath), before);
}

TEST_F(DriverTest, UnknownOptionsOpenAndStartTheServiceThenShowUsage) {
  UseMachine(TwoInterfaceMachine());
  const ProgramRun run = Run({"-Nics", "-Aps"});
  EXPECT_EQ(run.out, kUsage);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(SavedMachine()["services"]["WZCSVC"]["state"], "running");
}

TEST_F(DriverTest, ValuelessDeleteOrAddIsNoAction) {
  UseMachine(TwoInterfaceMachine());
  EXPECT_EQ(Output({"-delete", "-add", "", "", "x"}), kUsage);  // the list of -add: "", "x"
  EXPECT_TRUE(Calls({"WlanOpenHandle"}).empty());
}

// -log takes exactly one folder; without -deploy a mistake there is said, the exit code kept.
TEST_F(DriverTest, LogWithoutOneFolderIsSaid) {
  UseMachine(TwoInterfaceMachine());
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"-status", "-log", Path("a"), Path("b")}, {"-status", "-log"}}) {
    const ProgramRun run = Run(args);
    EXPECT_EQ(run.out.find(" - Error: -log takes one folder.\nConnections By Interface:\n"), 0u) << run.out;
    EXPECT_EQ(run.exitCode, 0);
  }
  EXPECT_FALSE(FileExists(Path("a")) || FileExists(Path("b")));
}

TEST_F(DriverTest, ServiceThatCannotBeOpenedEndsTheRunWithExitCode1) {
  MachineJson noService = TwoInterfaceMachine();
  noService["services"] = MachineJson::object();
  MachineJson noManager = TwoInterfaceMachine();
  noManager["scmError"] = 5;
  MachineJson refused = TwoInterfaceMachine();
  refused["services"]["WZCSVC"]["openError"] = 5;
  for (const MachineJson& machine : {noService, noManager, refused}) {
    UseMachine(machine);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{{"-nics"}, {"-Nics"}}) {
      const ProgramRun run = Run(args);
      EXPECT_EQ(run.out, kNoService);
      EXPECT_EQ(run.exitCode, 1);
      EXPECT_TRUE(Calls({"WlanOpenHandle"}).empty());
    }
  }
}

TEST_F(DriverTest, UnusableMachineFileIsReportedAndLeftAlone) {
  WriteFile(machinePath, "{\"format\": \"tessamin-machine/1\", ");
  const ProgramRun run = Run({"-add", Path("p.xml"), "-enable"});
  EXPECT_EQ(run.out, kNoService);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find(machinePath), std::string::npos);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
  EXPECT_EQ(ReadFile(machinePath), "{\"format\": \"tessamin-machine/1\", ");
}

TEST_F(DriverTest, NoStateFolderMeansNoMachine) {
  std::vector<std::string> args = wrapper;
  args.insert(args.end(), {TESSAMIN_BINARY, "-nics"});
  const ProgramRun run = RunProgram(
      args, {{"TESSAMIN_MACHINE", ""}, {"XDG_STATE_HOME", ""}, {"HOME", ""}, {"TESSAMIN_TRACE", tracePath}}, dir);
  ExpectNoCheckerReport(run);
  EXPECT_EQ(run.out, kNoService);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_TRUE(Calls({"WlanOpenHandle", "StartServiceW"}).empty());
}

TEST_F(DriverTest, StoppedServiceIsRunningBeforeTheFirstAction) {
  UseMachine(TwoInterfaceMachine());
  ASSERT_EQ(Run({"-aps"}).exitCode, 0);
  EXPECT_EQ(SavedMachine()["services"]["WZCSVC"]["state"], "running");
  const std::vector<std::string> calls = Calls({"QueryServiceStatusEx", "WlanOpenHandle"});
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back(), "WlanOpenHandle 1 -> 0");
  EXPECT_NE(calls[calls.size() - 2].find("state 4"), std::string::npos);
}

TEST_F(DriverTest, EveryActionReportsAFailedStartAndTheRunGoesOn) {
  MachineJson machine = TwoInterfaceMachine();
  machine["wlan"]["openError"] = 1062;
  UseMachine(machine);
  const ProgramRun run = Run({"-aps", "-add", "a.xml", "b.xml", "-nics", "-delete", "X", "-enable"});
  std::string expected;
  for (int i = 0; i < 6; ++i) expected += " - Error starting Wifi API\n";
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(Calls({"WlanOpenHandle"}).size(), 6u);
  EXPECT_TRUE(Calls({"RegOpenKeyExW", "WlanCloseHandle"}).empty());
}

TEST_F(DriverTest, HandlesAreReleasedAtExitListBeforeClient) {
  UseMachine(TwoInterfaceMachine());
  Run({"-nics"});
  const std::vector<std::string> calls = Calls({"CloseServiceHandle", "WlanFreeMemory", "WlanCloseHandle"});
  EXPECT_EQ(calls, (std::vector<std::string>{"CloseServiceHandle (manager) -> 1", "CloseServiceHandle WZCSVC -> 1",
                                             "WlanFreeMemory", "WlanCloseHandle -> 0"}));
  MachineJson machine = TwoInterfaceMachine();
  machine["wlan"]["enumError"] = 5;
  UseMachine(machine);
  Run({"-nics"});
  EXPECT_EQ(Calls({"WlanFreeMemory", "WlanCloseHandle"}), std::vector<std::string>{"WlanCloseHandle -> 0"});
}

}  // namespace
