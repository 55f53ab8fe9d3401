// Runs the built tessamin as a user would, on a machine file of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/machines.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"
#include "tests/support/trace.h"

#include <cstdlib>

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = MakeTempDir();
    machinePath = dir + "/machine.json";
    tracePath = dir + "/trace";
  }
  void TearDown() override { RemoveTree(dir); }
  void UseMachine(const MachineJson& machine) { WriteFile(machinePath, machine.dump(2)); }
  ProgramRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), TESSAMIN_BINARY);
    args.insert(args.begin(), wrapper.begin(), wrapper.end());
    WriteFile(tracePath, "");
    const ProgramRun run = RunProgram(args, {{"TESSAMIN_MACHINE", machinePath}, {"TESSAMIN_TRACE", tracePath}}, dir);
    ExpectNoCheckerReport(run);
    return run;
  }
  // A sanitizer or valgrind report fails the test, whatever it checks itself.
  static void ExpectNoCheckerReport(const ProgramRun& run) {
    EXPECT_NE(run.exitCode, kCheckerExitCode) << run.err;
    EXPECT_EQ(run.err.find("runtime error:"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Sanitizer"), std::string::npos) << run.err;
  }
  std::string Output(const std::vector<std::string>& args) { return Run(args).out; }
  MachineJson SavedMachine() const { return MachineJson::parse(ReadFile(machinePath)); }
  std::vector<std::string> Calls(std::initializer_list<const char*> names) const {
    return TraceCalls(tracePath, names);
  }
  std::string Path(const std::string& name) const { return dir + "/" + name; }

  std::string dir, machinePath, tracePath;
  // TESSAMIN_TEST_WRAPPER runs the tool under a checker, for example
  // "valgrind -q --error-exitcode=86 --leak-check=full --errors-for-leak-kinds=definite".
  const std::vector<std::string> wrapper = SplitWords(getenv("TESSAMIN_TEST_WRAPPER"));
  static constexpr int kCheckerExitCode = 86;
};
