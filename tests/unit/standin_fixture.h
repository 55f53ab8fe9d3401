// A test that drives the stand-in inside this process, on a machine file of its own.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "platform/standin/control.h"
#include "tests/support/machines.h"
#include "tests/support/temp_dir.h"
#include "tests/support/trace.h"
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
  std::vector<std::string> Calls(std::initializer_list<const char*> names) const {
    return TraceCalls(tracePath, names);
  }

  std::string dir, machinePath, tracePath;
};
