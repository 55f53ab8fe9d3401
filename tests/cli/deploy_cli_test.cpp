// -deploy and -log: what a rollout stores, logs, sums up and says in its exit code.
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "tests/cli/cli_fixture.h"

namespace {

struct DeployCase {
  const char* name;
  std::vector<std::string> files;  // in the profile folder; each an open network of its own SSID
  std::function<void(MachineJson&, const std::string& dir)> prepare;
  std::vector<std::string> extraArgs;
  int exitCode;
  int storedPerInterface;                     // SSIDs Deploy... on each interface afterwards
  std::string summary;                        // exit code,files,interfaces,deployed everywhere,failures
  const char* logLine;                        // a line the log must hold ("" for none)
  const char* folder = "profiles (x) & %^!";  // the -deploy folder as typed, under the test's folder
  bool outputClosed = false;                  // standard output a pipe whose reader has gone
};

class DeployTest : public CliTest {
 protected:
  ProgramRun Deploy(const std::string& folder, const std::string& logs, const std::vector<std::string>& extra,
                    bool outputClosed = false) {
    std::vector<std::string> args = {TESSAMIN_BINARY, "-deploy", folder, "-log", logs};
    args.insert(args.end(), extra.begin(), extra.end());
    args.insert(args.begin(), wrapper.begin(), wrapper.end());
    const std::map<std::string, std::string> env = {
        {"TESSAMIN_MACHINE", machinePath}, {"TESSAMIN_TRACE", tracePath}, {"TEMP", Path("temp")}};
    ProgramRun run;
    if (outputClosed) run.exitCode = WaitProgram(StartProgram(args, env, "", Path(".stderr")));
    else run = RunProgram(args, env, dir);
    ExpectNoCheckerReport(run);
    return run;
  }
  int StoredDeployProfiles(const MachineJson& machine, int interfaceIndex) const {
    int count = 0;
    for (const auto& profile : machine["wlan"]["interfaces"][interfaceIndex]["profiles"])
      count += profile["name"].get<std::string>().compare(0, 6, "Deploy") == 0;
    return count;
  }
};

std::string SummaryCounts(const std::string& csv) {
  // computer,time,exit code,files,interfaces,deployed everywhere,failures,version
  const std::string line = csv.substr(csv.find("\r\n") + 2);
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1)
    fields.push_back(line.substr(start, comma - start));
  return fields[2] + "," + fields[3] + "," + fields[4] + "," + fields[5] + "," + fields[6];
}

const auto kNothing = [](MachineJson&, const std::string&) {};

const char kAbsent[] = "{0-0-0-0000-000000000000}";
const auto kNoWlanApi = [](MachineJson& m, const std::string&) { m["wlan"]["openError"] = 126; };
const auto kUnmanagedA = [](MachineJson& m, const std::string&) { SetControlFlags(m, kGuidA, DwordValue(0x8000)); };
const auto kStopRefused = [](MachineJson& m, const std::string&) {
  m["services"]["WZCSVC"]["stopError"] = 1053;
  SetControlFlags(m, kGuidA, DwordValue(0));
};

// Both interfaces managed by Windows, as -deploy without -enable needs them.
MachineJson ManagedMachine() {
  MachineJson machine = TwoInterfaceMachine();
  for (const char* guid : {kGuidA, kGuidB}) SetControlFlags(machine, guid, DwordValue(0x04008000));
  return machine;
}

std::vector<std::string> ManyFiles(int count) {
  std::vector<std::string> names;
  char name[64];
  for (int i = 1; i <= count; ++i) {
    snprintf(name, sizeof name, "profile %04d of a rollout to the fleet.xml", i);
    names.push_back(name);
  }
  return names;
}

TEST_F(DeployTest, EachCaseStoresLogsSumsUpAndEndsWithItsExitCode) {
  const DeployCase cases[] = {
      {"names that cmd treats specially",
       {"a & b (1).xml", "100%.xml", "x^y!z.xml", ".hidden.XML"},
       kNothing,
       {},
       0,
       4,
       "0,4,2,4,0",
       "%^!\\.hidden.XML' to interface '{A1B2C3D-1-ABC-8D9E-AF0123456789}'."},
      {"a folder given with its trailing \\",
       {"a.xml"},
       kNothing,
       {},
       0,
       1,
       "0,1,2,1,0",
       "%^!\\a.xml' to interface",
       "profiles (x) & %^!\\"},
      {"300 files of 40-character names", ManyFiles(300), kNothing, {}, 0, 300, "0,300,2,300,0", ""},
      {"interfaces listed after 20 virtual seconds",
       {"a.xml"},
       [](MachineJson& m, const std::string&) { m["wlan"]["interfacesFromTick"] = 20000; },
       {},
       0,
       1,
       "0,1,2,1,0",
       ""},
      {"one -limit GUID absent", {"a.xml"}, kNothing, {"-limit", kGuidB, kAbsent}, 5, 0, "5,1,1,1,1", "'{0-0-0-0"},
      {"every -limit GUID absent", {"a.xml"}, kNothing, {"-limit", kAbsent}, 6, 0, "6,1,0,0,1", "interface after"},
      {"no Wireless LAN API", {"a.xml"}, kNoWlanApi, {}, 7, 0, "7,1,0,0,1", "7: the Wireless LAN API could not"},
      {"no interface after 60 virtual seconds",
       {"a.xml"},
       [](MachineJson& m, const std::string&) { m["wlan"]["interfacesFromTick"] = 4000000000u; },
       {},
       6,
       0,
       "6,1,0,0,1",
       " - Error: No wireless interface after waiting."},
      {"no .xml",
       {"notes.txt"},
       kNothing,
       {},
       3,
       0,
       "3,0,0,0,1",
       " - Error: No profile file (.xml) in the profile folder"},
      {"a folder that can't be listed",
       {},
       kNothing,
       {},
       4,
       0,
       "4,0,0,0,1",
       " - Error(3): Unable to list the profile folder",
       "missing"},
      {"refused on the second interface only",
       {"a.xml", "b.xml"},
       [](MachineJson& m, const std::string&) { m["wlan"]["interfaces"][1]["setError"] = 1169; },
       {},
       5,
       2,
       "5,2,2,0,2",
       ""},
      {"an injected failure of WlanSetProfile",
       {"a.xml"},
       [](MachineJson& m, const std::string&) { m["wlan"]["interfaces"][0]["setError"] = 5; },
       {},
       5,
       0,
       "5,1,2,0,1",
       ""},
      {"unmanaged, no -enable", {"a.xml"}, kUnmanagedA, {}, 5, 1, "5,1,2,1,1", "9}': run with enable (-enable)."},
      {"a stop that fails", {"a.xml"}, kStopRefused, {"-enable"}, 5, 1, "5,1,2,1,1", "(1053): Unable to stop service"},
      {"-enable where a key can't be opened",
       {"a.xml"},
       [](MachineJson& m, const std::string&) { m["registry"].erase(InterfaceKey(kGuidB)); },
       {"-enable"},
       5,
       1,
       "5,1,2,1,1",
       " - Error(2): Unable to read ControlFlags of interface '{6F9619FF-8B86-D011-B42D-00C04FC964FF}'."},
      {"standard output a pipe whose reader has gone",
       {"a.xml"},
       kNothing,
       {},
       0,
       1,
       "0,1,2,1,0",
       "==== exit code 0: every profile file deployed",
       "profiles (x) & %^!",
       true},
      {"no WZCSVC",
       {"a.xml"},
       [](MachineJson& m, const std::string&) { m["services"].erase("WZCSVC"); },
       {},
       1,
       0,
       "1,0,0,0,0",
       "Unable to access Wireless Zero Configuration service."},
  };
  for (const DeployCase& c : cases) {
    SCOPED_TRACE(c.name);
    RemoveTree(dir);
    dir = MakeTempDir();
    machinePath = Path("machine.json");
    tracePath = Path("trace");
    mkdir(Path("profiles (x) & %^!").c_str(), 0755);
    for (size_t i = 0; i < c.files.size(); ++i)
      WriteFile(Path("profiles (x) & %^!/" + c.files[i]), ProfileXml("Deploy" + std::to_string(i + 1)));
    MachineJson machine = ManagedMachine();
    c.prepare(machine, dir);
    UseMachine(machine);
    const ProgramRun run = Deploy(Path(c.folder), Path("logs (x86)/sub"), c.extraArgs, c.outputClosed);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.out;
    const MachineJson saved = SavedMachine();
    EXPECT_EQ(StoredDeployProfiles(saved, 0), c.storedPerInterface);
    const std::string log = ReadFile(Path("logs (x86)/sub/XPCLIENT.log"));
    EXPECT_EQ(log.compare(0, 16, "==== XPCLIENT 20"), 0) << log;  // the first line: the name, then the time
    EXPECT_NE(log.find("==== exit code " + std::to_string(c.exitCode) + ": "), std::string::npos) << log;
    EXPECT_NE(log.find(std::string(c.logLine)), std::string::npos) << log;
    EXPECT_EQ(log.find('\n'), log.find("\r\n") + 1);  // CR LF
    EXPECT_EQ(
        run.out, c.outputClosed ? "" : [&] {  // every line of the log went to standard output too
          std::string lf;
          for (char ch : log)
            if (ch != '\r') lf += ch;
          return lf;
        }());
    EXPECT_EQ(SummaryCounts(ReadFile(Path("logs (x86)/sub/XPCLIENT.csv"))), c.summary);
    if (c.exitCode == 6) {  // a minute on the virtual clock, polled every 5 seconds
      int slept = 0;
      for (const std::string& call : Calls({"Sleep"})) slept += std::stoi(call.substr(6));
      EXPECT_GE(slept, 60000);
      EXPECT_EQ(Calls({"WlanEnumInterfaces"}).size(), 13u);
    }
  }
}

TEST_F(DeployTest, AnUnwritableLogFolderLogsToTempAndStillDeploys) {
  UseMachine(ManagedMachine());
  mkdir(Path("profiles").c_str(), 0755);
  mkdir(Path("temp").c_str(), 0755);
  WriteFile(Path("profiles/a.xml"), ProfileXml("Deploy1"));
  WriteFile(Path("file"), "");
  const ProgramRun run = Deploy(Path("profiles"), Path("file/logs"), {});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(StoredDeployProfiles(SavedMachine(), 1), 1);
  const std::string log = ReadFile(Path("temp/tessamin-deploy.log"));
  EXPECT_NE(
      log.find(": cannot write the log '" + Path("file/logs") + "\\XPCLIENT.log' (error 3), so this one is used\r\n"),
      std::string::npos)
      << log;
  EXPECT_NE(log.find("profiles\\a.xml' to interface"), std::string::npos);
  EXPECT_NE(log.find("==== exit code 0: "), std::string::npos);
  struct stat info;
  ASSERT_EQ(stat(Path("temp/tessamin-deploy.log").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  // A link planted in its place is refused, not written through; an empty -limit is refused.
  RemoveTree(Path("temp/tessamin-deploy.log"));
  WriteFile(Path("elsewhere"), "");
  ASSERT_EQ(link(Path("elsewhere").c_str(), Path("temp/tessamin-deploy.log").c_str()), 0);
  EXPECT_EQ(Deploy(Path("profiles"), Path("file/logs"), {}).exitCode, 0);
  EXPECT_EQ(ReadFile(Path("elsewhere")), "");
  EXPECT_EQ(Deploy(Path("profiles"), Path("logs"), {"-limit", ""}).exitCode, 2);
}

// A run that can't finish after one that did: its log's disk full, its summary unwritable.
TEST_F(DeployTest, AFailedRunLeavesNoSummaryOfAnEarlierOneAndTheNextEntryBeginsALine) {
  MachineJson machine = ManagedMachine();
  machine["computerName"] = "-2+3";  // a spreadsheet would compute it
  UseMachine(machine);
  mkdir(Path("profiles").c_str(), 0755);
  mkdir(Path("temp").c_str(), 0755);
  WriteFile(Path("profiles/a.xml"), ProfileXml("Deploy1"));
  const std::string log = Path("logs/-2+3.log"), summary = Path("logs/-2+3.csv");
  ASSERT_EQ(Deploy(Path("profiles"), Path("logs"), {}).exitCode, 0);
  const std::string csv = ReadFile(summary);
  EXPECT_EQ(csv.substr(csv.find("\r\n") + 2, 10), "\"'-2+3\",20");

  RemoveTree(log);
  ASSERT_EQ(symlink("/dev/full", log.c_str()), 0);
  mkdir((summary + ".tmp").c_str(), 0755);
  EXPECT_EQ(Deploy(Path("missing"), Path("logs"), {}).exitCode, 4);
  EXPECT_FALSE(FileExists(summary));
  EXPECT_NE(ReadFile(Path("temp/tessamin-deploy.log")).find("(error 112)"), std::string::npos);

  RemoveTree(log);
  RemoveTree(summary + ".tmp");
  WriteFile(log, "==== -2+3 2026-01-01 08:00:00 tessamin 1.0.0\r\n - Added AP fr");
  EXPECT_EQ(Deploy(Path("profiles"), Path("logs"), {}).exitCode, 0);
  EXPECT_EQ(ReadFile(log).find(" - Added AP fr\r\n==== -2+3 20"), 46u);
  EXPECT_EQ(SummaryCounts(ReadFile(summary)), "0,1,2,1,0");
}

// -report on a workstation without WZCSVC: summaries of three versions, files that are none,
// and the fleet's list with machines that left none.
TEST_F(DeployTest, ReportJoinsTheFleetsSummariesUnderOneHeader) {
  MachineJson machine = ManagedMachine();
  machine["computerName"] = "@X";
  UseMachine(machine);
  mkdir(Path("profiles").c_str(), 0755);
  WriteFile(Path("profiles/a.xml"), ProfileXml("Deploy1"));
  ASSERT_EQ(Deploy(Path("profiles"), Path("logs"), {"-limit", kGuidB}).exitCode, 0);
  const std::string x = ReadFile(Path("logs/@X.csv"));
  WriteFile(Path("logs/A%B.csv"),
            "computer,time,exit code,files,interfaces,deployed everywhere,failures,version\r\n"
            "A%B,2026-01-01 08:00:00,5,1,1,0,1,0.9\r\n");
  WriteFile(Path("logs/REPORT.CSV"), "computer,time,exit code,later\r\nREPORT,2026-01-01 08:00:01,0,x\r\n");
  WriteFile(Path("logs/report.csv"), x + x.substr(x.find("\r\n") + 2));  // the old script's report
  WriteFile(Path("logs/copy.csv"), x);
  WriteFile(Path("fleet.txt"), "\xEF\xBB\xBFpc9\r\n \"a%b\" \r\n=CMD$\tWorkstation\r\n\r\n");
  machine.erase("services");
  UseMachine(machine);
  const ProgramRun run = Run({"-report", Path("logs"), Path("fleet.txt")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, " - Left out '" + Path("logs") + "\\copy.csv': it is not one machine's summary.\n - Left out '" +
                         Path("logs") +
                         "\\report.csv': it is not one machine's summary.\n"
                         "Machines By Exit Code:\n0 / 2\n5 / 1\nno summary / 2\n\n"
                         " - Joined 5 machines into '" +
                         Path("logs") + "\\tessamin-fleet-report.csv'.\n");
  EXPECT_EQ(ReadFile(Path("logs/tessamin-fleet-report.csv")),
            x.substr(0, x.find("\r\n") + 2) + "\"'=CMD\",,no summary,,,,,,,\r\n" + x.substr(x.find("\r\n") + 2) +
                "A%B,2026-01-01 08:00:00,5,1,1,0,1,0.9,,\r\npc9,,no summary,,,,,,,\r\nREPORT,2026-01-01 "
                "08:00:01,0,,,,,,,\r\n");
  EXPECT_TRUE(Calls({"OpenSCManagerW"}).empty());

  // A summary of the largest size read, and one of a byte more.
  for (const char* name : {"BIG", "HUGE"}) {
    std::string text = "computer,time,exit code\r\n" + std::string(name) + ",\"";
    text += std::string((1 << 20) + (name[0] == 'H') - text.size() - 5, 'x') + "\",0\r\n";
    WriteFile(Path("logs/" + std::string(name) + ".csv"), text);
  }
  EXPECT_NE(Output({"-report", Path("logs")}).find("0 / 3\n"), std::string::npos);
  EXPECT_NE(Output({"-report", Path("logs")}).find(" - Error(223): Unable to read '" + Path("logs") + "\\HUGE.csv'."),
            std::string::npos);
  mkdir(Path("logs/tessamin-fleet-report.csv.tmp").c_str(), 0755);  // the report can't be written
  const std::vector<std::string> fails[] = {
      {"-report", Path("logs")}, {"-report", Path("missing")}, {"-report", Path("logs"), Path("missing")}};
  for (const std::vector<std::string>& args : fails) EXPECT_EQ(Run(args).exitCode, 4);
  EXPECT_EQ(Run({"-report"}).exitCode, 2);
  EXPECT_EQ(Run({"-report", Path("logs"), Path("fleet.txt"), "x"}).exitCode, 2);
}

}  // namespace
