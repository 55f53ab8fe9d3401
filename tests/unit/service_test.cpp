// Service control on the virtual clock: every wait is counted in Sleep calls, none is real.
#include "tests/unit/standin_fixture.h"

namespace {

class ServiceWaitTest : public StandinTest {
 protected:
  // Starts WZCSVC with the given pending behaviour and waits for it to run.
  int StartAndWait(unsigned queries, unsigned waitHint, unsigned checkPointStep, unsigned long startTick = 0) {
    return StartAndWait({{"queries", queries}, {"waitHint", waitHint}, {"checkPointStep", checkPointStep}}, startTick);
  }
  // The service reports the pending readings, one per status query, then runs.
  int StartAndWait(const MachineJson& startPending, unsigned long startTick = 0) {
    MachineJson machine = BaseMachine();
    machine["tickCount"] = startTick;
    machine["services"]["WZCSVC"]["startPending"] = startPending;
    UseMachine(machine);
    SC_HANDLE manager = OpenSCManagerW(WTEXT(""), WTEXT("ServicesActive"), 0x000F003F);
    service = OpenServiceW(manager, WTEXT("WZCSVC"), 0x000F003F);
    CloseServiceHandle(manager);
    EXPECT_TRUE(StartServiceW(service, 0, nullptr));
    return WaitForServiceState(service, SERVICE_START_PENDING, SERVICE_RUNNING);
  }
  std::vector<std::string> Sleeps() const {
    return Calls({"Sleep"});
  }
  void TearDown() override {
    if (service) CloseServiceHandle(service);
    service = nullptr;
    StandinTest::TearDown();
  }
  SC_HANDLE service = nullptr;
};

TEST_F(ServiceWaitTest, IntervalIsATenthOfTheWaitHintBetweenOneAndTenSeconds) {
  struct Case {
    unsigned waitHint;
    const char* sleep;
  } cases[] = {{0, "Sleep 1000"},     {9990, "Sleep 1000"},    {30000, "Sleep 3000"},
               {12345, "Sleep 1234"}, {100000, "Sleep 10000"}, {250000, "Sleep 10000"}};
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    EXPECT_EQ(StartAndWait(1, c.waitHint, 1), 1);
    EXPECT_EQ(Sleeps(), std::vector<std::string>{c.sleep}) << "wait hint " << c.waitHint;
  }
}

TEST_F(ServiceWaitTest, NoProgressEndsTheWaitOnceTheWaitHintHasPassed) {
  EXPECT_EQ(StartAndWait(100, 0, 0), 0);
  EXPECT_EQ(Sleeps().size(), 1u);
  TearDown();
  SetUp();
  // 3000 ms hint: 1000, 2000 and 3000 ms elapsed don't exceed it; 4000 does.
  EXPECT_EQ(StartAndWait(100, 3000, 0), 0);
  EXPECT_EQ(Sleeps().size(), 4u);
}

TEST_F(ServiceWaitTest, RisingCheckPointKeepsTheWaitGoing) {
  EXPECT_EQ(StartAndWait(60, 0, 1), 1);
  EXPECT_EQ(Sleeps().size(), 60u);
}

TEST_F(ServiceWaitTest, EachReadingDecidesTheNextStepOfTheWait) {
  auto reading = [](unsigned checkPoint, unsigned waitHint) {
    return MachineJson{{"checkPoint", checkPoint}, {"waitHint", waitHint}};
  };
  MachineJson stall = {reading(1, 3000), reading(2, 3000)};
  for (int i = 0; i < 10; ++i) stall.push_back(reading(2, 3000));
  const std::vector<std::string> second(5, "Sleep 1000");
  struct Case {
    const char* what;
    MachineJson readings;
    int result;
    std::vector<std::string> sleeps;
  } cases[] = {
      // The time-out counts from the last rise (at 1000 ms): 2000..4000 ms don't exceed 3000, 5000 does.
      {"a stall after progress", stall, 0, second},
      {"the latest wait hint",
       {reading(1, 20000), reading(2, 50000), reading(3, 0)},
       1,
       {"Sleep 2000", "Sleep 5000", "Sleep 1000"}},
      {"a later failed query", {reading(1, 3000), {{"queryError", 5}}, reading(2, 3000)}, 0, {"Sleep 1000"}},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    EXPECT_EQ(StartAndWait(c.readings), c.result) << c.what;
    EXPECT_EQ(Sleeps(), c.sleeps) << c.what;
  }
}

TEST_F(ServiceWaitTest, TickCounterWrapCausesNoFalseTimeOut) {
  EXPECT_EQ(StartAndWait(100, 3000, 0, 0xFFFFFC00ul), 0);
  EXPECT_EQ(Sleeps().size(), 4u);
}

TEST_F(ServiceWaitTest, NotPendingAtTheFirstQueryDecidesAtOnce) {
  EXPECT_EQ(StartAndWait(0, 3000, 1), 1);
  EXPECT_TRUE(Sleeps().empty());
  EXPECT_EQ(WaitForServiceState(service, SERVICE_STOP_PENDING, SERVICE_STOPPED), 0);
}

TEST_F(ServiceWaitTest, FailedQueryEndsTheWait) {
  MachineJson machine = BaseMachine();
  machine["services"]["WZCSVC"]["state"] = "running";
  machine["services"]["WZCSVC"]["queryError"] = 5;
  UseMachine(machine);
  service = OpenWzcService();
  ASSERT_NE(service, nullptr);
  EXPECT_EQ(WaitForServiceState(service, SERVICE_START_PENDING, SERVICE_RUNNING), 0);
  EXPECT_TRUE(Sleeps().empty());
}

class ServiceControlTest : public StandinTest {};

TEST_F(ServiceControlTest, OpenStartsAStoppedServiceAndClosesTheManager) {
  UseMachine(BaseMachine());
  WzcServiceHandle = OpenWzcService();
  ASSERT_NE(WzcServiceHandle, nullptr);
  EXPECT_EQ(SavedMachine()["services"]["WZCSVC"]["state"], "running");
  EXPECT_EQ(Calls({"OpenSCManagerW", "OpenServiceW", "CloseServiceHandle", "StartServiceW"}),
            (std::vector<std::string>{"OpenSCManagerW ServicesActive 0x000F003F -> (manager)",
                                      "OpenServiceW WZCSVC 0x000F003F -> WZCSVC", "CloseServiceHandle (manager) -> 1",
                                      "StartServiceW WZCSVC -> 1"}));
  EXPECT_EQ(StopService(), 1);
  EXPECT_EQ(SavedMachine()["services"]["WZCSVC"]["state"], "stopped");
  EXPECT_EQ(StopService(), 0);  // already stopped: refused, no wait
  EXPECT_EQ(Calls({"ControlService"}).back(), "ControlService WZCSVC 1 -> 0 (1062)");
}

TEST_F(ServiceControlTest, RunningServiceIsNotWaitedFor) {
  MachineJson machine = BaseMachine();
  machine["services"]["WZCSVC"]["state"] = "running";
  UseMachine(machine);
  ASSERT_NE(OpenWzcService(), nullptr);
  EXPECT_EQ(Calls({"StartServiceW"}), std::vector<std::string>{"StartServiceW WZCSVC -> 0 (1056)"});
  EXPECT_TRUE(Calls({"QueryServiceStatusEx"}).empty());
}

TEST_F(ServiceControlTest, MissingServiceOrManagerGivesNull) {
  MachineJson machine = BaseMachine();
  machine["services"] = MachineJson::object();
  UseMachine(machine);
  EXPECT_EQ(OpenWzcService(), nullptr);
  EXPECT_EQ(Calls({"CloseServiceHandle"}).size(), 1u);  // the manager, after the failed open
  machine = BaseMachine();
  machine["scmError"] = 5;
  UseMachine(machine);
  EXPECT_EQ(OpenWzcService(), nullptr);
}

}  // namespace
