// StartWifiApi against injected Native Wifi failures, checked call by call in the trace.
#include "tests/unit/standin_fixture.h"

namespace {

class SessionTest : public StandinTest {};

TEST_F(SessionTest, SecondStartMakesNoPlatformCall) {
  UseMachine(WithWzcRunning(TwoInterfaceMachine()));
  ASSERT_EQ(StartWifiApi(), 0);
  EXPECT_EQ(wlanSession.interfaceList->dwNumberOfItems, 2u);
  EXPECT_EQ(StartWifiApi(), 0);
  EXPECT_EQ(Calls({"WlanOpenHandle", "WlanEnumInterfaces"}).size(), 2u);
}

TEST_F(SessionTest, FailedOpenIsRetriedAndThenEnumerates) {
  MachineJson machine = WithWzcRunning(TwoInterfaceMachine());
  machine["wlan"]["openError"] = 1062;
  UseMachine(machine);
  EXPECT_EQ(StartWifiApi(), -1);
  EXPECT_FALSE(wlanSession.handleOpen);
  EXPECT_EQ(StartWifiApi(), -1);

  machine["wlan"]["openError"] = 0;
  WriteFile(machinePath, machine.dump());
  StandinReset();  // the stand-in reads the machine afresh; the tool's session stays
  EXPECT_EQ(StartWifiApi(), 0);
  EXPECT_TRUE(wlanSession.handleOpen);
  EXPECT_TRUE(wlanSession.interfacesLoaded);
  EXPECT_EQ(Calls({"WlanOpenHandle", "WlanEnumInterfaces"}),
            (std::vector<std::string>{"WlanOpenHandle 1 -> 1062", "WlanOpenHandle 1 -> 1062", "WlanOpenHandle 1 -> 0",
                                      "WlanEnumInterfaces -> 0 (2 interfaces)"}));
}

TEST_F(SessionTest, FailedEnumerationIsRetriedWithoutReopening) {
  MachineJson machine = WithWzcRunning(TwoInterfaceMachine());
  machine["wlan"]["enumError"] = 5;
  UseMachine(machine);
  EXPECT_EQ(StartWifiApi(), -2);
  EXPECT_TRUE(wlanSession.handleOpen);
  EXPECT_FALSE(wlanSession.interfacesLoaded);
  EXPECT_EQ(StartWifiApi(), -2);
  EXPECT_EQ(Calls({"WlanOpenHandle", "WlanEnumInterfaces"}),
            (std::vector<std::string>{"WlanOpenHandle 1 -> 0", "WlanEnumInterfaces -> 5", "WlanEnumInterfaces -> 5"}));
}

TEST_F(SessionTest, NoInterfacesIsNoFailure) {
  UseMachine(WithWzcRunning(BaseMachine()));
  EXPECT_EQ(StartWifiApi(), 0);
  EXPECT_EQ(wlanSession.interfaceList->dwNumberOfItems, 0u);
}

}  // namespace
