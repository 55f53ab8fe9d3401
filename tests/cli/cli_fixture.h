// Runs the built tessamin as a user would, on a machine file of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "tests/support/machine_dir_test.h"
#include "tests/support/run_program.h"

class CliTest : public MachineDirTest {
 protected:
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
  std::string Output(const std::vector<std::string>& args) {
    return Run(args).out;
  }
  // TESSAMIN_TEST_WRAPPER runs the tool under a checker, for example
  // "valgrind -q --error-exitcode=86 --leak-check=full --errors-for-leak-kinds=definite".
  const std::vector<std::string> wrapper = SplitWords(getenv("TESSAMIN_TEST_WRAPPER"));
  static constexpr int kCheckerExitCode = 86;
};
