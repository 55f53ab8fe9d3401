// A test that drives the stand-in inside this process, on a machine file of its own.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "platform/standin/control.h"
#include "tests/support/machines.h"
#include "tests/support/temp_dir.h"
#include "wlan/session.h"
#include "wzc/service.h"

class StandinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = MakeTempDir();
    machinePath = dir + "/machine.json";
    tracePath = dir + "/trace";
    setenv("TESSAMIN_MACHINE", machinePath.c_str(), 1);
    setenv("TESSAMIN_TRACE", tracePath.c_str(), 1);
    ResetProcess();
  }
  void TearDown() override {
    ResetProcess();
    unsetenv("TESSAMIN_MACHINE");
    unsetenv("TESSAMIN_TRACE");
    RemoveTree(dir);
  }
  // What the process knew of the machine, the tool's session included, is forgotten.
  void ResetProcess() {
    StandinReset();
    wlanSession = WlanSession();
    WzcServiceHandle = nullptr;
  }
  void UseMachine(const MachineJson& machine) {
    WriteFile(machinePath, machine.dump(2));
    ResetProcess();
  }
  MachineJson SavedMachine() const { return MachineJson::parse(ReadFile(machinePath)); }
  // The trace lines that start with one of the function names given.
  std::vector<std::string> Calls(std::initializer_list<const char*> names) const {
    std::vector<std::string> calls;
    for (const std::string& line : ReadLines(tracePath)) {
      for (const char* name : names) {
        if (line.rfind(std::string(name) + " ", 0) == 0 || line == name) calls.push_back(line);
      }
    }
    return calls;
  }

  std::string dir, machinePath, tracePath;
};
