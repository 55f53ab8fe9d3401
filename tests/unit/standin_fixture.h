// A test that drives the stand-in inside this process, on a machine file of its own.
#pragma once

#include <stdlib.h>

#include <string>
#include <vector>

#include "platform/standin/api/reset.h"
#include "tests/support/machine_dir_test.h"
#include "wlan/session.h"
#include "wzc/service.h"

class StandinTest : public MachineDirTest {
 protected:
  void SetUp() override {
    MachineDirTest::SetUp();
    setenv("TESSAMIN_MACHINE", machinePath.c_str(), 1);
    setenv("TESSAMIN_TRACE", tracePath.c_str(), 1);
    ResetProcess();
  }
  void TearDown() override {
    ResetProcess();
    unsetenv("TESSAMIN_MACHINE");
    unsetenv("TESSAMIN_TRACE");
    MachineDirTest::TearDown();
  }
  // What the process knew of the machine, the tool's session included, is forgotten.
  void ResetProcess() {
    StandinReset();
    wlanSession = WlanSession();
    WzcServiceHandle = nullptr;
  }
  void UseMachine(const MachineJson& machine) {
    MachineDirTest::UseMachine(machine);
    ResetProcess();
  }
};
