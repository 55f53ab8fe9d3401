// Bad and extreme input, concurrent runs and runs killed at any moment.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>

#include "tests/cli/cli_fixture.h"

namespace {

class RobustnessTest : public CliTest {
 protected:
  std::map<std::string, std::string> Environment() const {
    return {{"TESSAMIN_MACHINE", machinePath}};
  }
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
  // Kills the run at every point of every save it makes (tests/support/kill_at_save.cpp):
  // each time the machine file must be whole and hold the state before that save, or after
  // it once the rename is done, with at most one temporary file beside it. states[0] is the
  // start, states[n] the state after the n-th save. A run that is not killed must make exactly
  // states.size() - 1 saves, end in the last state and leave only the file and its lock.
  void KillAtEverySavePoint(const std::vector<std::string>& args, const std::vector<MachineJson>& states) {
    const int saves = static_cast<int>(states.size()) - 1;
    UseMachine(states[0]);
    std::set<std::string> files = FilesInDir();
    files.insert({"machine.json.lock", ".out", ".err"});
    for (int save = 1; save <= saves + 1; ++save) {
      for (int point = 1; point <= 3; ++point) {
        const std::string at = std::to_string(save) + ":" + std::to_string(point);
        UseMachine(states[0]);
        std::map<std::string, std::string> env = Environment();
        env["TESSAMIN_TEST_CRASH_AT"] = at;
        env["LD_PRELOAD"] = KILL_AT_SAVE_LIBRARY;
        // A sanitized tool then loads its runtime after the library; it is told that is fine.
        const char* sanitizer = getenv("ASAN_OPTIONS");
        env["ASAN_OPTIONS"] = std::string(sanitizer ? sanitizer : "") + ":verify_asan_link_order=0";
        const int exitCode = WaitProgram(StartProgram(Command(args), env, Path(".out"), Path(".err")));
        const bool killed = save <= saves;
        EXPECT_EQ(exitCode, killed ? -1 : 0) << "crash at " << at;
        const std::string text = ReadFile(machinePath);
        const MachineJson saved = MachineJson::parse(text, nullptr, false);
        ASSERT_FALSE(saved.is_discarded()) << "crash at " << at << ": '" << text.substr(0, 200) << "'";
        const MachineJson& expected = !killed ? states[saves] : states[point == 3 ? save : save - 1];
        EXPECT_EQ(saved.dump(), expected.dump()) << "crash at " << at;
        std::set<std::string> allowed = files;
        if (killed) allowed.insert("machine.json.tmp");
        const std::set<std::string> present = FilesInDir();
        EXPECT_TRUE(std::includes(allowed.begin(), allowed.end(), present.begin(), present.end()))
            << "crash at " << at << ": " << ::testing::PrintToString(present);
        if (!killed) {
          EXPECT_EQ(present, files);
        }
      }
    }
  }
};

TEST_F(RobustnessTest, AddPathsThatAreNoProfileFiles) {
  UseMachine(TwoInterfaceMachine());
  const std::string longPath = dir + "/" + std::string(4000, 'x') + ".xml";
  ASSERT_EQ(mkfifo(Path("fifo.xml").c_str(), 0600), 0);  // no writer: a read would wait for ever
  for (const std::string& path : {std::string("/dev/null"), dir, longPath, Path("fifo.xml")}) {
    const ProgramRun run = Run({"-add", path, "-limit", kGuidB});
    EXPECT_EQ(run.out, RejectedLine(path, kGuidB));
    EXPECT_EQ(run.exitCode, 0);
  }
}

// Each -enable failure is said, every wait ends, a huge file is refused, -delete is exact, a name keeps to its line.
TEST_F(RobustnessTest, NoFailureIsSilentNoWaitEndlessAndNothingUnnamedIsTouched) {
  MachineJson enable = WithWzcRunning(TwoInterfaceMachine()), forged = enable, lookalikes = BaseMachine();
  SetControlFlags(enable, kGuidB, DwordValue(3));
  lookalikes["wlan"]["interfaces"] = {InterfaceEntry(kGuidB, "B", {"Ωffice", "Ｏｆｆｉｃｅ", "Office", "日本"})};
  // Control characters around the bounds: C0, DEL and, in 1252, the C1 ones where it holds no character.
  forged["wlan"]["interfaces"][1] = InterfaceEntry(
      kGuidB, "Adapter\rB", {"Evil\n==== exit code 0: done", "e\x1B[31m\x07\x1F \x7F~\u20AC\u0081\u0178\u00A0"});
  const std::string b = kGuidB, end = "</WLANProfile>", big = Path("big.xml"), huge = Path("huge.xml");
  const std::string good = TESSAMIN_SOURCE_DIR "/dist/samples/open.xml", profile = ProfileXml("Big");
  WriteFile(big, profile.substr(0, profile.size() - end.size()) + std::string(2 << 20, ' ') + end);
  std::string elements = "<WLANProfile>";  // what would take a parser gigabytes
  while (elements.size() < 20 << 20) elements += "<a/>";
  WriteFile(huge, elements + end);
  const std::string added = RejectedLine(big, b) + RejectedLine(huge, b) + " - Added AP from file '" + good +
                            "' to interface '" + b + "'.\nAccess Points By Interface:\nAdapter\\x0DB / SAMPLE-OPEN\n" +
                            "Adapter\\x0DB / Evil\\x0A==== exit code 0: done\n" +
                            "Adapter\\x0DB / e\\x1B[31m\\x07\\x1F \\x7F~\x80\\x81\x9F\xA0\n\n";
  const std::string stopFailed = " - Error(1061): Unable to stop service 'WZCSVC'.\n";
  const std::string notStarted = " - Error(1053): Unable to start service 'WZCSVC'.\n";
  const std::string unsaved =
      " - Error(29): Unable to stop service 'WZCSVC'.\n - Error(29): Unable to enable interface '";
  const std::string flags = "/registry/" + InterfaceKey(b) + "/ControlFlags/data", state = "/services/WZCSVC/state";
  const std::string deleted = " - Deleted AP 'Office' from interface '" + b + "'.\n";
  const std::string timedOut = " - Error(1053): Unable to stop service 'WZCSVC'.\n" + notStarted;
  const MachineJson remaining = {ProfileEntry("Ωffice"), ProfileEntry("Ｏｆｆｉｃｅ"), ProfileEntry("日本")};
  MachineJson neverDone = enable;  // both waits endless: a steady stop, a start that keeps progressing
  neverDone["services"]["WZCSVC"]["stopPending"] = {{"queries", 1000}, {"waitHint", ~0u}};
  neverDone["services"]["WZCSVC"]["startPending"] = {{"queries", 1000}, {"waitHint", ~0u}, {"checkPointStep", 1}};
  struct Case {
    MachineJson machine;
    std::pair<const char*, MachineJson> service;  // a member of WZCSVC's to set
    std::vector<std::string> args;
    std::string out;
    std::map<std::string, MachineJson> after;  // values by JSON pointer
    std::string clock = "";                    // the last reading of the virtual clock, when checked
  } cases[] = {
      {enable, {"stopError", 1061}, {"-enable"}, stopFailed, {{flags, 0x04008003}, {state, "running"}}},
      {enable, {"startError", 1053}, {"-enable"}, notStarted, {{flags, 0x04008003}, {state, "stopped"}}},
      {neverDone, {}, {"-enable"}, timedOut, {{flags, 0x04008003}}, "GetTickCount -> 240000"},
      {forged, {}, {"-add", big, huge, good, "-aps", "-limit", b}, added, {}},
      {lookalikes, {}, {"-delete", "Office", "??"}, deleted, {{"/wlan/interfaces/0/profiles", remaining}}},
      {enable, {}, {"-enable"}, unsaved + b + "'.\n", {{flags, 3}, {state, "running"}}},  // last: nothing can be saved
  };
  for (Case& c : cases) {
    if (c.service.first) c.machine["services"]["WZCSVC"][c.service.first] = c.service.second;
    UseMachine(c.machine);
    ASSERT_TRUE(&c != std::end(cases) - 1 || mkdir(Path("machine.json.tmp").c_str(), 0700) == 0);
    const ProgramRun run = Run(c.args);
    EXPECT_EQ(run.out, c.out) << c.args[0];
    EXPECT_EQ(run.exitCode, 0);
    for (const auto& value : c.after) EXPECT_EQ(SavedMachine()[MachineJson::json_pointer(value.first)], value.second);
    EXPECT_EQ(c.clock.empty() ? "" : Calls({"GetTickCount"}).back(), c.clock);
  }
  UseMachine(forged);  // time reports the largest resident set of its child: the tool's alone, not this process's
  const ProgramRun timed =
      RunProgram({"/usr/bin/time", "-f", "%M", TESSAMIN_BINARY, "-add", big, huge, good}, Environment(), dir);
  EXPECT_LT(std::stol(timed.err), 64 * 1024) << timed.err;
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
    // The host spells a path's characters in UTF-8: U+00A0 to U+00FF, the bytes A0 to FF in 1252.
    std::string host;
    for (int c = 0xA0; c <= 0xFF; ++c) host += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 63))};
    const std::string path = Path(codePage == 1252 ? high.substr(0x20) : host);
    // The bytes stand in the profile's own name; the SSID, which names it, is given in hex.
    std::string profile = ProfileXml("x");
    profile.replace(profile.find("<name>x</name>"), 14, "<name>" + high + "</name>");
    profile.replace(profile.find("<name>x</name>"), 14, "<hex>48696768</hex>");
    WriteFile(Path(host), profile);
    for (const std::string& typed : {path, Path(host)}) {  // the code page's bytes, or UTF-8 as a terminal gives it
      run = Run({"-add", typed, "-limit", kGuidB});
      EXPECT_EQ(run.out, " - Added AP from file '" + path + "' to interface '" + kGuidB + "'.\n");
      EXPECT_EQ(SavedMachine()["wlan"]["interfaces"][1]["profiles"][0]["name"], "High");
    }
  }
}

TEST_F(RobustnessTest, NothingIsWrittenBesideTheMachineFile) {
  UseMachine(TwoInterfaceMachine());
  const std::string path = Path("p.xml");
  WriteFile(path, ProfileXml("New"));
  Run({"-help"});  // the test's own output and trace files
  const std::set<std::string> before = FilesInDir();
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"-add", path}, {"-delete", "New"}, {"-enable"}, {"-nics", "-aps"}}) {
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

TEST_F(RobustnessTest, KilledAdditionOrDeletionLeavesTheMachineBeforeOrAfterEachSave) {
  MachineJson start = BaseMachine();
  start["services"]["WZCSVC"]["state"] = "running";
  start["wlan"]["interfaces"] = {InterfaceEntry(kGuidA, "A", {"HomeNet"}), InterfaceEntry(kGuidB, "B", {"HomeNet"})};
  const std::string path = Path("p.xml");
  WriteFile(path, ProfileXml("Guest"));
  // A new profile goes first on each interface.
  MachineJson addedToA = start, addedToBoth = start;
  MachineJson& profilesA = addedToA["wlan"]["interfaces"][0]["profiles"];
  profilesA.insert(profilesA.begin(), ProfileEntry("Guest"));
  addedToBoth = addedToA;
  MachineJson& profilesB = addedToBoth["wlan"]["interfaces"][1]["profiles"];
  profilesB.insert(profilesB.begin(), ProfileEntry("Guest"));
  KillAtEverySavePoint({"-add", path}, {start, addedToA, addedToBoth});
  MachineJson deletedFromA = start, deletedFromBoth = start;
  deletedFromA["wlan"]["interfaces"][0]["profiles"] = MachineJson::array();
  deletedFromBoth = deletedFromA;
  deletedFromBoth["wlan"]["interfaces"][1]["profiles"] = MachineJson::array();
  KillAtEverySavePoint({"-delete", "HomeNet"}, {start, deletedFromA, deletedFromBoth});
}

TEST_F(RobustnessTest, KilledEnableLeavesOneOfItsSteps) {
  MachineJson start = BaseMachine();
  start["wlan"]["interfaces"] = {InterfaceEntry(kGuidB, "B")};
  SetControlFlags(start, kGuidB, DwordValue(3));
  MachineJson running = start, stopped = start, written = start, restarted = start;
  running["services"]["WZCSVC"]["state"] = "running";
  stopped["services"]["WZCSVC"]["state"] = "stopped";
  written = stopped;
  SetControlFlags(written, kGuidB, DwordValue(0x04008003));
  restarted = written;
  restarted["services"]["WZCSVC"]["state"] = "running";
  KillAtEverySavePoint({"-enable"}, {start, running, stopped, written, restarted});
}

}  // namespace
