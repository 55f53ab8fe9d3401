// The machine file: where it lives, what survives a rewrite, and what is never overwritten.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "tests/unit/standin_fixture.h"

namespace {

class MachineFileTest : public StandinTest {
 protected:
  // Any change of the machine: the service is started.
  bool StartService() {
    SC_HANDLE manager = OpenSCManagerW(WTEXT(""), WTEXT("ServicesActive"), SC_MANAGER_ALL_ACCESS);
    if (manager == nullptr) return false;
    SC_HANDLE service = OpenServiceW(manager, WTEXT("WZCSVC"), 0x000F003F);
    const bool started = service && StartServiceW(service, 0, nullptr);
    if (service) CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return started;
  }
};

TEST_F(MachineFileTest, RewriteKeepsUnknownMembersAndTheirOrder) {
  MachineJson machine = BaseMachine();
  machine["comment"] = "kept";
  machine["wlan"]["vendor"] = {{"firmware", 7}, {"list", {1, 2, 3}}};
  machine["services"]["WZCSVC"]["displayName"] = "Wireless Zero Configuration";
  machine["services"]["Other"] = {{"state", "running"}, {"x", nullptr}};
  UseMachine(machine);
  ASSERT_TRUE(StartService());
  MachineJson expected = machine;
  expected["services"]["WZCSVC"]["state"] = "running";
  EXPECT_EQ(SavedMachine().dump(), expected.dump());
}

TEST_F(MachineFileTest, DefaultMachineIsWrittenAtTheFirstChangeOnly) {
  const std::string nested = dir + "/state/deeper/machine.json";
  setenv("TESSAMIN_MACHINE", nested.c_str(), 1);
  ResetProcess();
  EXPECT_EQ(StartWifiApi(), -1);  // the default machine's WZCSVC is stopped
  EXPECT_FALSE(FileExists(nested));
  ASSERT_TRUE(StartService());
  const MachineJson saved = MachineJson::parse(ReadFile(nested));
  EXPECT_EQ(saved["services"]["WZCSVC"]["state"], "running");
  EXPECT_EQ(saved["wlan"]["interfaces"].size(), 2u);
  EXPECT_EQ(StartWifiApi(), -1);  // start-pending until a status query reports it running
  ResetProcess();
  ASSERT_EQ(StartWifiApi(), 0);
  EXPECT_EQ(wlanSession.interfaceList->dwNumberOfItems, 2u);
}

// It holds wireless keys: made for its owner alone, whatever the umask; a mode given later stays.
TEST_F(MachineFileTest, NewFileIsTheOwnersAloneAndAnExistingOneKeepsItsMode) {
  unlink(machinePath.c_str());
  const mode_t umaskBefore = umask(0);
  ASSERT_TRUE(StartService());
  umask(umaskBefore);
  struct stat info = {};
  EXPECT_EQ(stat(machinePath.c_str(), &info) == 0 ? info.st_mode & 07777 : 0, 0600u);
  UseMachine(BaseMachine());
  chmod(machinePath.c_str(), 0640);
  ASSERT_TRUE(StartService());
  EXPECT_EQ(stat(machinePath.c_str(), &info) == 0 ? info.st_mode & 07777 : 0, 0640u);
}

TEST_F(MachineFileTest, LocationFallsBackToTheStateFolders) {
  unsetenv("TESSAMIN_MACHINE");
  setenv("XDG_STATE_HOME", (dir + "/xdg").c_str(), 1);
  ResetProcess();
  ASSERT_TRUE(StartService());
  EXPECT_TRUE(FileExists(dir + "/xdg/tessamin/machine.json"));
  unsetenv("XDG_STATE_HOME");
  const std::string home = getenv("HOME") ? getenv("HOME") : "";
  setenv("HOME", (dir + "/home").c_str(), 1);
  ResetProcess();
  ASSERT_TRUE(StartService());
  EXPECT_TRUE(FileExists(dir + "/home/.local/state/tessamin/machine.json"));
  setenv("HOME", home.c_str(), 1);
}

// A machine whose one interface sees the network.
std::string NetworkMachine(const std::string& network, int codePage = 1252) {
  return "{\"format\": \"tessamin-machine/1\", \"codePage\": " + std::to_string(codePage) +
         ", \"wlan\": {\"interfaces\": [{\"networks\": [" + network + "]}]}}";
}

TEST_F(MachineFileTest, UnusableFileIsLeftByteForByteAndTheManagerCannotBeOpened) {
  const std::string cases[] = {
      "{\"format\": \"tessamin-machine/1\", \"wlan\": {",  // truncated
      "not json at all",
      "{\"format\": \"tessamin-machine/2\"}",
      "[1, 2]",
      "{\"format\": \"tessamin-machine/1\", \"wlan\": {\"interfaces\": [{\"guid\": \"{nope}\"}]}}",
      "{\"format\": \"tessamin-machine/1\", \"codePage\": 437}",
      "{\"format\": \"tessamin-machine/1\", \"codePage\": 1361}",
      "{\"format\": \"tessamin-machine/1\", \"registry\": {\"K\": {\"V\": {\"type\": \"REG_DWORD\", \"data\": "
      "\"x\"}}}}",
      "{\"format\": \"tessamin-machine/1\", \"services\": {\"WZCSVC\": {}, \"wzcsvc\": {}}}",
      // The radio world: each network's SSID, type, signal and security; the adapter; an attempt.
      NetworkMachine("{\"ssid\": \"\"}"),
      NetworkMachine("{\"ssid\": \"" + std::string(30, 'x') + "\u00e9\u00e9\"}", 65001),  // 32 bytes in 1252
      NetworkMachine("{\"ssidHex\": \"" + std::string(66, 'a') + "\"}"),
      NetworkMachine("{\"ssid\": \"A\", \"ssidHex\": \"41\"}"),
      NetworkMachine("{\"ssid\": \"A\", \"signal\": 101}"),
      NetworkMachine("{\"ssid\": \"A\", \"authentication\": \"WPA2-PSK\"}"),
      NetworkMachine("{\"ssid\": \"A\"}], \"adapter\": {\"encryptions\": [\"CCMP\"]}, \"x\": [0"),
      NetworkMachine("{\"ssid\": \"A\"}], \"connecting\": {\"profile\": \"Gone\"}, \"x\": [0"),
      "{\"format\": \"tessamin-machine/1\", \"vendor\": " + std::string(200000, '[') + std::string(200000, ']') + "}",
  };
  for (const std::string& content : cases) {
    WriteFile(machinePath, content);
    ResetProcess();
    testing::internal::CaptureStderr();
    EXPECT_EQ(OpenSCManagerW(WTEXT(""), WTEXT("ServicesActive"), SC_MANAGER_ALL_ACCESS), nullptr) << content;
    DWORD version = 0;
    HANDLE client = nullptr;
    EXPECT_EQ(WlanOpenHandle(1, nullptr, &version, &client), static_cast<DWORD>(ERROR_INVALID_DATA));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(machinePath), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(ReadFile(machinePath), content);
  }
}

// Neither read nor waited on: what is not a plain file, or is larger than any machine.
TEST_F(MachineFileTest, FifoDeviceFolderAndHugeFileAreRefusedAtOnce) {
  const std::string fifo = Path("fifo"), huge = Path("huge.json");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  WriteFile(huge, "{}");
  ASSERT_EQ(truncate(huge.c_str(), 100LL << 30), 0);  // sparse: 100 GB of nothing
  for (const std::string& path : {fifo, std::string("/dev/zero"), dir, huge}) {
    setenv("TESSAMIN_MACHINE", path.c_str(), 1);
    ResetProcess();
    testing::internal::CaptureStderr();
    EXPECT_EQ(OpenSCManagerW(WTEXT(""), WTEXT("ServicesActive"), SC_MANAGER_ALL_ACCESS), nullptr) << path;
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("'" + path + "' cannot be used: it is "), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  }
  struct stat info = {};
  EXPECT_TRUE(stat(huge.c_str(), &info) == 0 && info.st_size == 100LL << 30);
}

// In a shared folder another user may plant the save's temporary file: it never gets the machine.
TEST_F(MachineFileTest, PlantedTemporaryFileOrLinkNeverReceivesTheMachine) {
  UseMachine(BaseMachine());
  const std::string before = ReadFile(machinePath), secret = Path("secret"), planted = machinePath + ".tmp";
  WriteFile(secret, "theirs");
  for (auto plant : {link, symlink}) {
    ASSERT_EQ(plant(secret.c_str(), planted.c_str()), 0);
    EXPECT_FALSE(StartService());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_WRITE_FAULT));
    EXPECT_EQ(ReadFile(secret), "theirs");
    EXPECT_EQ(ReadFile(machinePath), before);
    unlink(planted.c_str());
  }
  EXPECT_TRUE(StartService());
}

TEST_F(MachineFileTest, MemberMisspeltInLetterCaseIsKeptUnusedAndNamed) {
  MachineJson machine = BaseMachine();
  machine["codepage"] = 1251;
  machine["wlan"]["Interfaces"] = machine["wlan"]["interfaces"];
  machine["services"]["WZCSVC"]["startPending"]["WaitHint"] = 1;
  UseMachine(machine);
  testing::internal::CaptureStderr();
  ASSERT_TRUE(StartService());
  const std::string err = testing::internal::GetCapturedStderr();
  const std::string prefix = "tessamin: machine file '" + machinePath + "': member '";
  EXPECT_EQ(err, prefix + "codepage' is not used: the member is spelt 'codePage'\n" + prefix +
                     "wlan.Interfaces' is not used: the member is spelt 'interfaces'\n" + prefix +
                     "services.WZCSVC.startPending.WaitHint' is not used: the member is spelt 'waitHint'\n");
  EXPECT_EQ(SavedMachine()["codepage"], 1251);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, WTEXT("\u00e9"), 1, nullptr, 0, nullptr, nullptr),
            1);  // 1252, not 1251's "e"
}

TEST_F(MachineFileTest, FileDamagedByAnotherRunIsNotOverwrittenByAChange) {
  UseMachine(BaseMachine());
  SC_HANDLE manager = OpenSCManagerW(WTEXT(""), WTEXT("ServicesActive"), SC_MANAGER_ALL_ACCESS);
  SC_HANDLE service = OpenServiceW(manager, WTEXT("WZCSVC"), 0x000F003F);
  WriteFile(machinePath, "{damaged");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(StartServiceW(service, 0, nullptr));
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(ReadFile(machinePath), "{damaged");
}

TEST_F(MachineFileTest, FailedSaveOfTheDefaultMachineIsForgottenAndFailsTheCall) {
  // A folder where the save's temporary file goes makes every save fail.
  ASSERT_EQ(mkdir((machinePath + ".tmp").c_str(), 0755), 0);
  SC_HANDLE manager = OpenSCManagerW(WTEXT(""), WTEXT("ServicesActive"), SC_MANAGER_ALL_ACCESS);
  SC_HANDLE service = OpenServiceW(manager, WTEXT("WZCSVC"), SERVICE_ALL_ACCESS);
  ASSERT_NE(service, nullptr);
  EXPECT_FALSE(StartServiceW(service, 0, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_WRITE_FAULT));
  SERVICE_STATUS_PROCESS status = {};
  DWORD needed = 0;
  ASSERT_TRUE(
      QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<LPBYTE>(&status), sizeof status, &needed));
  EXPECT_EQ(status.dwCurrentState, static_cast<DWORD>(SERVICE_STOPPED));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(
                HKEY_LOCAL_MACHINE,
                WTEXT("SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\{0A1B2C3D-0001-0ABC-8D9E-AF0123456789}"), 0,
                KEY_ALL_ACCESS, &key),
            ERROR_SUCCESS);
  DWORD flags = 7, size = sizeof flags;
  EXPECT_EQ(RegSetValueExW(key, WTEXT("ControlFlags"), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags), size),
            ERROR_WRITE_FAULT);
  EXPECT_EQ(RegQueryValueExW(key, WTEXT("ControlFlags"), nullptr, nullptr, reinterpret_cast<LPBYTE>(&flags), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(flags, 3u);
  RegCloseKey(key);
  CloseServiceHandle(service);
  CloseServiceHandle(manager);
  EXPECT_FALSE(FileExists(machinePath));
}

TEST_F(MachineFileTest, ConcurrentChangesAreAllKept) {
  MachineJson machine = WithWzcRunning(BaseMachine());
  machine["wlan"]["interfaces"].push_back(InterfaceEntry(kGuidB, "Adapter B"));
  UseMachine(machine);
  const int kChildren = 8, kProfilesEach = 10;
  std::vector<pid_t> children;
  for (int c = 0; c < kChildren; ++c) {
    const pid_t child = fork();
    if (child == 0) {
      ResetProcess();
      DWORD version;
      HANDLE client;
      GUID guid = {0x6F9619FF, 0x8B86, 0xD011, {0xB4, 0x2D, 0x00, 0xC0, 0x4F, 0xC9, 0x64, 0xFF}};
      int failures = WlanOpenHandle(1, nullptr, &version, &client) != 0;
      for (int p = 0; p < kProfilesEach; ++p) {
        const std::string name = "P" + std::to_string(c) + "-" + std::to_string(p);
        std::u16string xml;
        for (char ch : ProfileXml(name)) xml.push_back(static_cast<char16_t>(ch));
        DWORD reason = 0;
        failures += WlanSetProfile(client, &guid, 0, xml.c_str(), nullptr, TRUE, nullptr, &reason) != 0;
      }
      _exit(failures);
    }
    children.push_back(child);
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  EXPECT_EQ(SavedMachine()["wlan"]["interfaces"][0]["profiles"].size(), size_t(kChildren * kProfilesEach));
}

}  // namespace
