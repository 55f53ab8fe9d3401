// -enable: the registry values it leaves and the order of its service and registry calls.
#include "tests/cli/cli_fixture.h"

namespace {

const char kGuidC[] = "{11111111-2222-3333-4444-555555555555}";

class EnableTest : public CliTest {
 protected:
  // Interfaces A, B and C, each with the given ControlFlags value (null: no key at all).
  void UseFlags(const MachineJson& a, const MachineJson& b, const MachineJson& c = nullptr) {
    MachineJson machine = BaseMachine();
    machine["services"]["WZCSVC"]["state"] = "running";
    machine["wlan"]["interfaces"] = {InterfaceEntry(kGuidA, "A"), InterfaceEntry(kGuidB, "B"),
                                     InterfaceEntry(kGuidC, "C")};
    const char* guids[] = {kGuidA, kGuidB, kGuidC};
    const MachineJson* values[] = {&a, &b, &c};
    for (int i = 0; i < 3; ++i) {
      if (!values[i]->is_null()) SetControlFlags(machine, guids[i], *values[i]);
    }
    machineBase = machine;
    UseMachine(machine);
  }
  MachineJson Flags(const char* guid) const {
    return SavedMachine()["registry"][InterfaceKey(guid)]["ControlFlags"];
  }
  std::vector<std::string> ServiceAndRegistryCalls() const {
    return Calls({"ControlService", "StartServiceW", "RegSetValueExW", "WlanGetProfileList"});
  }
  MachineJson machineBase;
};

TEST_F(EnableTest, SetsBothBitsAndKeepsTheOthers) {
  UseFlags(DwordValue(0x3), DwordValue(0x8000), DwordValue(0x04008001));
  const ProgramRun run = Run({"-enable"});
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(Flags(kGuidA), DwordValue(0x04008003));
  EXPECT_EQ(Flags(kGuidB), DwordValue(0x04008000));
  EXPECT_EQ(Flags(kGuidC), DwordValue(0x04008001));
  EXPECT_EQ(Calls({"RegSetValueExW"}).size(), 2u);
  EXPECT_EQ(Calls({"RegSetValueExW"})[0],
            "RegSetValueExW " + InterfaceKey(kGuidA) + " ControlFlags REG_DWORD 0x04008003 -> 0");
  EXPECT_EQ(Calls({"RegOpenKeyExW"})[0], "RegOpenKeyExW " + InterfaceKey(kGuidA) + " 0x0002001B -> 0");
}

TEST_F(EnableTest, OneStopBeforeTheFirstWriteAndOneStartAfterTheLast) {
  UseFlags(DwordValue(0x3), DwordValue(0x04008000), DwordValue(0));
  Run({"-enable"});
  EXPECT_EQ(
      ServiceAndRegistryCalls(),
      (std::vector<std::string>{"StartServiceW WZCSVC -> 0 (1056)", "ControlService WZCSVC 1 -> 1",
                                "RegSetValueExW " + InterfaceKey(kGuidA) + " ControlFlags REG_DWORD 0x04008003 -> 0",
                                "RegSetValueExW " + InterfaceKey(kGuidC) + " ControlFlags REG_DWORD 0x04008000 -> 0",
                                "StartServiceW WZCSVC -> 1"}));
  EXPECT_EQ(SavedMachine()["services"]["WZCSVC"]["state"], "running");
}

TEST_F(EnableTest, NothingToChangeMeansNoStopAndOneStartRequest) {
  UseFlags(DwordValue(0x04008000), DwordValue(0xFFFFFFFF));
  Run({"-enable"});
  EXPECT_EQ(ServiceAndRegistryCalls(),
            (std::vector<std::string>{"StartServiceW WZCSVC -> 0 (1056)", "StartServiceW WZCSVC -> 0 (1056)"}));
  EXPECT_EQ(ReadFile(machinePath), machineBase.dump(2));
}

TEST_F(EnableTest, ValuesThatAreNotFourByteDwordsAreLeftAlone) {
  const MachineJson binary4{{"type", "REG_BINARY"}, {"data", "03000000"}};
  const MachineJson binary2{{"type", "REG_BINARY"}, {"data", "0300"}};
  const MachineJson dword2{{"type", "REG_DWORD"}, {"data", "0300"}};  // Windows stores any size given
  const MachineJson dword8{{"type", "REG_DWORD"}, {"data", "0300000000000000"}};
  UseFlags(binary4, binary2, DwordValue(0x3));
  MachineJson machine = SavedMachine();
  machine["registry"][InterfaceKey(kGuidA)]["ControlFlags"] = {{"type", "REG_SZ"}, {"data", "3"}};
  machine["registry"][InterfaceKey(kGuidB)].erase("ControlFlags");
  machine["registry"][InterfaceKey(kGuidB)]["Other"] = binary2;
  machine["registry"]
         ["HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\{0a1b2c3d-0001-0abc-8d9e-"
          "af0123456789}x"] = {{"ControlFlags", binary2}};
  UseMachine(machine);
  Run({"-enable"});
  MachineJson expected = machine;
  expected["registry"][InterfaceKey(kGuidC)]["ControlFlags"] = DwordValue(0x04008003);
  EXPECT_EQ(SavedMachine(), expected);
  EXPECT_EQ(Calls({"ControlService"}).size(), 1u);

  UseFlags(dword8, dword2);  // and on their own they cause no stop
  Run({"-enable"});
  EXPECT_TRUE(Calls({"ControlService", "RegSetValueExW"}).empty());
}

TEST_F(EnableTest, MissingKeyIsSkippedSilently) {
  UseFlags(nullptr, DwordValue(1));
  EXPECT_EQ(Output({"-enable"}), "");
  EXPECT_EQ(Flags(kGuidB), DwordValue(0x04008001));
  EXPECT_EQ(Calls({"RegOpenKeyExW"})[0], "RegOpenKeyExW " + InterfaceKey(kGuidA) + " 0x0002001B -> 2");
}

TEST_F(EnableTest, LimitTakesTheShownTextWhileTheKeyKeepsLeadingZeros) {
  UseFlags(DwordValue(0), DwordValue(0));
  Run({"-enable", "-limit", kGuidTextA});
  EXPECT_EQ(Flags(kGuidA), DwordValue(0x04008000));
  EXPECT_EQ(Flags(kGuidB), DwordValue(0));
  UseFlags(DwordValue(0), DwordValue(0));
  Run({"-enable", "-limit", kGuidA});
  EXPECT_EQ(Flags(kGuidA), DwordValue(0));
  EXPECT_TRUE(Calls({"RegOpenKeyExW"}).empty());
}

TEST_F(EnableTest, ServiceWorkIsDoneBeforeTheListing) {
  UseFlags(DwordValue(0), DwordValue(0));
  MachineJson machine = SavedMachine();
  machine["wlan"]["interfaces"][0]["profiles"] = {ProfileEntry("HomeNet")};
  UseMachine(machine);
  const ProgramRun run = Run({"-aps", "-enable"});
  EXPECT_EQ(run.out, "Access Points By Interface:\nA / HomeNet\n\n");
  const std::vector<std::string> calls = ServiceAndRegistryCalls();
  EXPECT_EQ(FindCall(calls, "StartServiceW WZCSVC -> 1"), FindCall(calls, "WlanGetProfileList") - 1);
  EXPECT_EQ(SavedMachine()["services"]["WZCSVC"]["state"], "running");
}

TEST_F(EnableTest, RefusedOrUnfinishedStopStillWrites) {
  UseFlags(DwordValue(1), DwordValue(2));
  MachineJson machine = SavedMachine();
  machine["services"]["WZCSVC"]["stopError"] = 5;
  UseMachine(machine);
  Run({"-enable"});
  EXPECT_EQ(Flags(kGuidA), DwordValue(0x04008001));
  EXPECT_EQ(Flags(kGuidB), DwordValue(0x04008002));
  EXPECT_EQ(Calls({"ControlService"}), std::vector<std::string>{"ControlService WZCSVC 1 -> 0 (5)"});

  machine["services"]["WZCSVC"]["stopError"] = 0;
  machine["services"]["WZCSVC"]["stopPending"] = {{"queries", 1000}, {"waitHint", 5000}, {"checkPointStep", 0}};
  UseMachine(machine);
  Run({"-enable"});
  EXPECT_EQ(Flags(kGuidA), DwordValue(0x04008001));
  // 1000 ms polls until more than 5000 ms passed without progress, then the write
  EXPECT_EQ(FindCall(Calls({"Sleep", "RegSetValueExW"}), "RegSetValueExW"), 6);
}

TEST_F(EnableTest, FailedWifiStartTouchesNoRegistryAndStartsNothing) {
  UseFlags(DwordValue(0), DwordValue(0));
  MachineJson machine = SavedMachine();
  machine["wlan"]["enumError"] = 1;
  UseMachine(machine);
  EXPECT_EQ(Output({"-enable"}), " - Error starting Wifi API\n");
  EXPECT_TRUE(Calls({"RegOpenKeyExW"}).empty());
  EXPECT_EQ(Calls({"StartServiceW"}).size(), 1u);  // only the one that opening the service makes
}

}  // namespace
