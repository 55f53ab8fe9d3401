// The stand-in's files, folders and system calls: the platform's paths, error codes and
// attributes over the host's file system.
#include <sys/stat.h>
#include <unistd.h>

#include <set>

#include "platform/standin/text/unicode.h"
#include "tests/unit/standin_fixture.h"

namespace {

class StandinFilesTest : public StandinTest {
 protected:
  std::u16string Wide(const std::string& path) const {
    return standin::Utf8ToUtf16(path);
  }
  HANDLE Open(const std::string& path, DWORD access, DWORD disposition, PSECURITY_DESCRIPTOR descriptor = nullptr) {
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor, FALSE};
    return CreateFileW(Wide(path).c_str(), access, FILE_SHARE_READ, descriptor ? &attributes : nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  // The error the open ends with: 0 when it opened (and the handle is closed again).
  DWORD OpenError(const std::string& path, DWORD access = GENERIC_READ, DWORD disposition = OPEN_EXISTING) {
    const HANDLE file = Open(path, access, disposition);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    CloseHandle(file);
    return 0;
  }
  bool Write(HANDLE file, const std::string& text) {
    DWORD written = 0;
    return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
  }
};

TEST_F(StandinFilesTest, PathsAndTheirErrors) {
  WriteFile(Path("a b.xml"), "x");
  const struct {
    std::string path;
    DWORD error;
  } cases[] = {
      {dir + "\\a b.xml", 0},     // backslashes are separators
      {dir + "/a b.xml. . ", 0},  // trailing dots and blanks are dropped
      {dir + "/missing.xml", ERROR_FILE_NOT_FOUND},
      {dir + "/missing/a.xml", ERROR_PATH_NOT_FOUND},
      {dir + "/a b.xml/a.xml", ERROR_PATH_NOT_FOUND},
      {"C:\\boot.ini", ERROR_PATH_NOT_FOUND},  // no drives on the host
      {"\\\\server\\share\\a.xml", ERROR_BAD_NETPATH},
      {dir + "/a?.xml", 123},  // ERROR_INVALID_NAME
      {dir + "/a|b", 123},
      {dir, ERROR_ACCESS_DENIED},  // a folder opens only with backup semantics
  };
  for (const auto& c : cases) EXPECT_EQ(OpenError(c.path), c.error) << c.path;
}

TEST_F(StandinFilesTest, CreationModesAndDispositions) {
  PSECURITY_DESCRIPTOR ownerAlone = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(WTEXT("D:P(A;;FA;;;BA)(A;;FA;;;SY)"),
                                                                   SDDL_REVISION_1, &ownerAlone, nullptr));
  const mode_t umaskBefore = umask(0);
  HANDLE file = Open(Path("keys"), GENERIC_WRITE, CREATE_NEW, ownerAlone);
  HANDLE plain = Open(Path("plain"), GENERIC_WRITE, CREATE_NEW);
  umask(umaskBefore);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ASSERT_NE(plain, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(Write(file, "key") && CloseHandle(file) && CloseHandle(plain));
  EXPECT_EQ(LocalFree(ownerAlone), nullptr);
  struct stat info;
  ASSERT_EQ(stat(Path("keys").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  ASSERT_EQ(stat(Path("plain").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0666u);

  EXPECT_EQ(OpenError(Path("keys"), GENERIC_WRITE, CREATE_NEW), ERROR_FILE_EXISTS);
  EXPECT_EQ(OpenError(Path("keys"), GENERIC_WRITE, OPEN_ALWAYS), 0u);
  file = Open(Path("keys"), FILE_APPEND_DATA, OPEN_ALWAYS);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);  // the file was there
  EXPECT_TRUE(Write(file, "+more") && CloseHandle(file));
  EXPECT_EQ(ReadFile(Path("keys")), "key+more");
  ASSERT_TRUE(MoveFileExW(Wide(Path("plain")).c_str(), Wide(Path("keys")).c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_FALSE(MoveFileExW(Wide(Path("keys")).c_str(), Wide(Path("keys")).c_str(), 0));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
}

// A device name is the device, whatever its folder and extension: writes vanish.
TEST_F(StandinFilesTest, DevicesPipesAndLinksAreNoPlainFiles) {
  HANDLE device = Open(Path("Nul.txt"), GENERIC_WRITE, CREATE_ALWAYS);
  EXPECT_EQ(GetFileType(device), static_cast<DWORD>(FILE_TYPE_CHAR));
  EXPECT_TRUE(Write(device, "lost") && CloseHandle(device));
  EXPECT_FALSE(FileExists(Path("Nul.txt")));

  ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0600), 0);
  HANDLE fifo = Open(Path("fifo"), GENERIC_READ, OPEN_EXISTING);  // returns at once
  LARGE_INTEGER size;
  EXPECT_EQ(GetFileType(fifo), static_cast<DWORD>(FILE_TYPE_PIPE));
  EXPECT_FALSE(GetFileSizeEx(fifo, &size));
  CloseHandle(fifo);

  WriteFile(Path("target"), "x");
  ASSERT_EQ(link(Path("target").c_str(), Path("hard").c_str()), 0);
  ASSERT_EQ(symlink(Path("target").c_str(), Path("soft").c_str()), 0);
  BY_HANDLE_FILE_INFORMATION information;
  HANDLE hard = Open(Path("hard"), GENERIC_READ, OPEN_EXISTING);
  ASSERT_TRUE(GetFileInformationByHandle(hard, &information));
  EXPECT_EQ(information.nNumberOfLinks, 2u);
  CloseHandle(hard);
  HANDLE soft = CreateFileW(Wide(Path("soft")).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  ASSERT_TRUE(GetFileInformationByHandle(soft, &information));
  EXPECT_TRUE(information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
  EXPECT_FALSE(Write(soft, "redirected"));
  CloseHandle(soft);
  EXPECT_EQ(ReadFile(Path("target")), "x");
  EXPECT_TRUE(GetFileAttributesW(Wide(Path("soft")).c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
}

TEST_F(StandinFilesTest, ListingsShowHiddenFilesAndTellAMissingFolder) {
  WriteFile(Path(".hidden.XML"), "x");
  WriteFile(Path("b.xml"), "x");
  std::set<std::string> seen;
  WIN32_FIND_DATAW found;
  HANDLE listing = FindFirstFileW(Wide(dir + "\\*.xml").c_str(), &found);
  ASSERT_NE(listing, INVALID_HANDLE_VALUE);
  do {
    const std::string name = standin::Utf16ToUtf8(standin::Utf16Text(found.cFileName));
    seen.insert(name + ((found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) ? " hidden" : ""));
  } while (FindNextFileW(listing, &found));
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
  EXPECT_TRUE(FindClose(listing));
  EXPECT_EQ(seen, (std::set<std::string>{".hidden.XML hidden", "b.xml"}));
  EXPECT_EQ(FindFirstFileW(Wide(dir + "/*.txt").c_str(), &found), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(FindFirstFileW(Wide(dir + "/none/*").c_str(), &found), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST_F(StandinFilesTest, ComputerNameAndLocalTimeComeFromTheMachine) {
  MachineJson machine = BaseMachine();
  machine["tickCount"] = 5000;
  machine["localTime"] = "2024-02-28T23:59:30";
  UseMachine(machine);
  WCHAR name[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = 3;
  EXPECT_FALSE(GetComputerNameW(name, &size));
  EXPECT_EQ(size, 9u);  // XPCLIENT and its terminator
  ASSERT_TRUE(GetComputerNameW(name, &size));
  EXPECT_EQ(standin::Utf16Text(name), u"XPCLIENT");
  Sleep(90500);  // the virtual clock moves local time across the leap day
  SYSTEMTIME now;
  GetLocalTime(&now);
  EXPECT_EQ(std::vector<int>({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds,
                              now.wDayOfWeek}),
            std::vector<int>({2024, 2, 29, 0, 1, 0, 500, 4}));
  setenv("STANDIN_FILES_TEST_VARIABLE", "value", 1);
  WCHAR value[8];
  EXPECT_EQ(GetEnvironmentVariableW(WTEXT("standin_files_test_variable"), value, 8), 5u);  // names ignore case
  EXPECT_EQ(GetEnvironmentVariableW(WTEXT("STANDIN_FILES_TEST_VARIABLE"), value, 5), 6u);  // the room it needs
  unsetenv("STANDIN_FILES_TEST_VARIABLE");
}

}  // namespace
