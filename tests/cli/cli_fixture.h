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
    WriteFile(tracePath, "");
    return RunProgram(args, {{"TESSAMIN_MACHINE", machinePath}, {"TESSAMIN_TRACE", tracePath}}, dir);
  }
  std::string Output(const std::vector<std::string>& args) { return Run(args).out; }
  MachineJson SavedMachine() const { return MachineJson::parse(ReadFile(machinePath)); }
  std::vector<std::string> Calls(std::initializer_list<const char*> names) const {
    return TraceCalls(tracePath, names);
  }
  std::string Path(const std::string& name) const { return dir + "/" + name; }

  std::string dir, machinePath, tracePath;
};
