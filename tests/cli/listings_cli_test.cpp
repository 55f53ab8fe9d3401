// -nics and -aps, byte for byte.
#include "tests/cli/cli_fixture.h"

namespace {

class ListingsTest : public CliTest {};

TEST_F(ListingsTest, NicsListsEveryInterfaceWhateverTheLimit) {
  UseMachine(TwoInterfaceMachine());
  const std::string expected =
      std::string("Wireless NICs:\n") + kGuidTextA + " / Adapter A\n" + kGuidB + " / Adapter B\n\n";
  EXPECT_EQ(Output({"-nics"}), expected);
  EXPECT_EQ(Output({"-nics", "-limit", kGuidB}), expected);
}

TEST_F(ListingsTest, ApsHeaderComesOnceBeforeTheFirstProfileLine) {
  MachineJson machine = BaseMachine();
  machine["wlan"]["interfaces"] = {InterfaceEntry(kGuidA, "Empty"), InterfaceEntry(kGuidB, "Second", {"One", "Two"}),
                                   InterfaceEntry("{11111111-2222-3333-4444-555555555555}", "Third", {"Three"})};
  UseMachine(machine);
  EXPECT_EQ(Output({"-aps"}), "Access Points By Interface:\nSecond / One\nSecond / Two\nThird / Three\n\n");
  EXPECT_EQ(Output({"-aps", "-limit", "{11111111-2222-3333-4444-555555555555}"}),
            "Access Points By Interface:\nThird / Three\n\n");
  EXPECT_EQ(Calls({"WlanGetProfileList"}).size(), 1u);
}

// As a Windows console shows it (WriteConsoleW): a terminal gets the code page's text in UTF-8.
TEST_F(ListingsTest, ApsShowsUtf8OnATerminalAndTheCodePageBytesThroughAPipe) {
  MachineJson machine = WithWzcRunning(BaseMachine());
  machine["codePage"] = 1251;
  machine["wlan"]["interfaces"] = {InterfaceEntry(kGuidA, "A", {"\xD0\x94\xD0\xBE\xD0\xBC"})};
  UseMachine(machine);
  std::string command;
  for (const std::string& word : wrapper) command += word + " ";
  const ProgramRun terminal = RunProgram({"script", "-qec", command + TESSAMIN_BINARY " -aps", "/dev/null"},
                                         {{"TESSAMIN_MACHINE", machinePath}}, dir);
  EXPECT_EQ(terminal.out, "Access Points By Interface:\r\nA / \xD0\x94\xD0\xBE\xD0\xBC\r\n\r\n");
  EXPECT_EQ(Output({"-aps"}), "Access Points By Interface:\nA / \xC4\xEE\xEC\n\n");
}

TEST_F(ListingsTest, NothingAtAllWithoutProfilesOrSelectedInterfaces) {
  MachineJson machine = BaseMachine();
  machine["wlan"]["interfaces"] = {InterfaceEntry(kGuidA, "Empty")};
  UseMachine(machine);
  EXPECT_EQ(Output({"-aps"}), "");
  UseMachine(TwoInterfaceMachine());
  EXPECT_EQ(Output({"-aps", "-limit", "{a1b2c3d-1-abc-8d9e-af0123456789}"}), "");
  UseMachine(BaseMachine());
  EXPECT_EQ(Output({"-nics", "-aps"}), "");
}

TEST_F(ListingsTest, NicsBlockComesBeforeApsBlock) {
  UseMachine(TwoInterfaceMachine());
  EXPECT_EQ(Output({"-aps", "-nics", "-limit", kGuidTextA}),
            std::string("Wireless NICs:\n") + kGuidTextA + " / Adapter A\n" + kGuidB + " / Adapter B\n\n" +
                "Access Points By Interface:\nAdapter A / HomeNet\nAdapter A / Office\n\n");
}

TEST_F(ListingsTest, UnavailableProfileListIsReportedAndTheOthersStillListed) {
  MachineJson machine = TwoInterfaceMachine();
  machine["wlan"]["interfaces"][0]["profileListError"] = 1168;
  UseMachine(machine);
  EXPECT_EQ(Output({"-aps"}), std::string(" - Error(1168): Unable to get the profiles of interface '") + kGuidTextA +
                                  "'.\nAccess Points By Interface:\nAdapter B / CoffeeShop\n\n");
  EXPECT_EQ(Calls({"WlanFreeMemory"}).size(), 2u);  // the one list returned, and the interface list
}

TEST_F(ListingsTest, NonAsciiTextComesOutInTheAnsiCodePage) {
  MachineJson machine = BaseMachine();
  machine["codePage"] = 65001;
  machine["wlan"]["interfaces"] = {InterfaceEntry(kGuidA, "Carte réseau sans fil", {"Café", "Ω-Netz", "≠-Netz"})};
  UseMachine(machine);
  EXPECT_EQ(Output({"-aps"}),
            "Access Points By Interface:\nCarte réseau sans fil / Café\nCarte réseau sans fil / Ω-Netz\n"
            "Carte réseau sans fil / ≠-Netz\n\n");
  machine.erase("codePage");  // 1252
  UseMachine(machine);
  // Windows-1252 has no Ω: the platform writes its best-fit O; for ≠ it has none, and writes "?".
  EXPECT_EQ(Output({"-aps"}),
            "Access Points By Interface:\nCarte r\xE9seau sans fil / Caf\xE9\nCarte r\xE9seau sans fil / O-Netz\n"
            "Carte r\xE9seau sans fil / ?-Netz\n\n");
}

}  // namespace
