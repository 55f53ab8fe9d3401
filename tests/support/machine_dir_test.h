// A test with a folder of its own holding its machine file and trace, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/machines.h"
#include "tests/support/temp_dir.h"
#include "tests/support/trace.h"

class MachineDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = MakeTempDir();
    machinePath = dir + "/machine.json";
    tracePath = dir + "/trace";
  }
  void TearDown() override {
    RemoveTree(dir);
  }
  void UseMachine(const MachineJson& machine) {
    WriteFile(machinePath, machine.dump(2));
  }
  MachineJson SavedMachine() const {
    return MachineJson::parse(ReadFile(machinePath));
  }
  std::vector<std::string> Calls(std::initializer_list<const char*> names) const {
    return TraceCalls(tracePath, names);
  }
  std::string Path(const std::string& name) const {
    return dir + "/" + name;
  }

  std::string dir, machinePath, tracePath;
};
