#include "cli/run_log.h"

#include <cstdio>

#include "files/folders.h"
#include "files/replace_file.h"
#include "text/code_page.h"
#include "text/print.h"

namespace {

struct RunLog {
  HANDLE file = INVALID_HANDLE_VALUE;
  std::string shownPath;  // the log being written, as messages name it
  bool fallback = false;  // the log in %TEMP%, after the asked-for one failed
};
RunLog runLog;

// Every line of the log ends with CR LF, as Notepad wants it, on every build.
std::string WithCrLf(const std::string& text) {
  std::string lines;
  for (char c : text) {
    if (c == '\n') lines += '\r';
    lines += c;
  }
  return lines;
}

// 0, or why the text did not reach the log whole.
DWORD WriteWhole(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  if (bytes.size() > 0x7FFFFFFF) return ERROR_INVALID_PARAMETER;
  if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return GetLastError();
  return written == bytes.size() ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

// "\r\n" when the log ends inside a line (an entry cut off by a full disk, a kill or a
// shutdown), so that the next entry begins on a line of its own. A log that can't be read is
// taken as ending with a line end: a share may let machines write their logs, not read them.
std::string LineEndBeforeEntry(const WideString& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  LARGE_INTEGER size, last;
  char byte = '\n';
  DWORD read = 0;
  if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) && size.QuadPart > 0) {
    last.QuadPart = size.QuadPart - 1;
    if (SetFilePointerEx(file, last, nullptr, FILE_BEGIN)) ReadFile(file, &byte, 1, &read, nullptr);
  }
  CloseHandle(file);
  return byte == '\n' ? "" : "\r\n";
}

std::string FirstLine() {
  return "==== " + ComputerName() + " " + LocalTimeText() + " tessamin " + TESSAMIN_VERSION;
}

void StopLogging() {
  SetOutputCopy(nullptr);
  if (runLog.file != INVALID_HANDLE_VALUE) CloseHandle(runLog.file);
  runLog.file = INVALID_HANDLE_VALUE;
}

// %TEMP% of SYSTEM is a folder users may write to: the log there must be a plain file with one
// link, opened as itself rather than through a link, and only administrators may open it.
HANDLE OpenFallbackLog(const WideString& path) {
  SECURITY_ATTRIBUTES security = {sizeof security, AdministratorsOnlyDescriptor(), FALSE};
  if (security.lpSecurityDescriptor == nullptr) return INVALID_HANDLE_VALUE;
  const HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA | READ_CONTROL | WRITE_DAC, FILE_SHARE_READ, &security,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  BY_HANDLE_FILE_INFORMATION information;
  BOOL daclPresent = FALSE, daclDefaulted = FALSE;
  PACL dacl = nullptr;
  const bool safe =
      file != INVALID_HANDLE_VALUE && GetFileType(file) == FILE_TYPE_DISK &&
      GetFileInformationByHandle(file, &information) && information.nNumberOfLinks == 1 &&
      !(information.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) &&
      GetSecurityDescriptorDacl(security.lpSecurityDescriptor, &daclPresent, &dacl, &daclDefaulted) &&
      SetSecurityInfo(file, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                      nullptr, dacl, nullptr) == ERROR_SUCCESS;
  LocalFree(security.lpSecurityDescriptor);
  if (!safe && file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return safe ? file : INVALID_HANDLE_VALUE;
}

// The asked-for log failed: the rest of the run goes to %TEMP%\tessamin-deploy.log, whose entry
// begins by saying why, or, when that fails too, to standard output alone. The text that
// failed is written there again.
void FallBack(DWORD error, const std::string& pending) {
  const std::string failed = runLog.shownPath;
  const std::string code = std::to_string(static_cast<int>(error));
  StopLogging();
  WCHAR temp[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(WTEXT("TEMP"), temp, MAX_PATH);
  if (runLog.fallback || length == 0 || length >= MAX_PATH) {
    PrintError(error, "write the log '" + failed + "'");
    return;
  }
  const WideString path = JoinPath(WideString(temp, length), WTEXT("tessamin-deploy.log"));
  runLog.fallback = true;
  runLog.shownPath = ToAnsi(path.c_str(), path.size());
  const std::string entry =
      FirstLine() + ": cannot write the log '" + failed + "' (error " + code + "), so this one is used\n";
  const std::string lineEnd = LineEndBeforeEntry(path);
  runLog.file = OpenFallbackLog(path);
  if (runLog.file == INVALID_HANDLE_VALUE ||
      WriteWhole(runLog.file, lineEnd + WithCrLf(entry + pending)) != ERROR_SUCCESS) {
    StopLogging();
    PrintError(error, "write the log '" + failed + "' or '" + runLog.shownPath + "'");
    return;
  }
  PrintError(error, "write the log '" + failed + "'; the run is logged to '" + runLog.shownPath + "'");
  SetOutputCopy(CopyToLog);
}

}  // namespace

void CopyToLog(const std::string& text) {
  const DWORD error = WriteWhole(runLog.file, WithCrLf(text));
  if (error != ERROR_SUCCESS) FallBack(error, text);
}

std::string ComputerName() {
  WCHAR name[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  if (!GetComputerNameW(name, &size)) return "UNKNOWN";
  return ToAnsi(name, size);
}

std::string LocalTimeText() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[32];
  snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear % 10000u, now.wMonth % 100u, now.wDay % 100u,
           now.wHour % 100u, now.wMinute % 100u, now.wSecond % 100u);
  return text;
}

void OpenRunLog(const std::string& logFolder) {
  const WideString folder = ToWide(logFolder);
  const WideString path = JoinPath(folder, ToWide(ComputerName() + ".log"));
  runLog = RunLog();
  runLog.shownPath = ToAnsi(path.c_str(), path.size());
  DWORD error = MakeFolders(folder);
  if (error == ERROR_SUCCESS) {
    const std::string lineEnd = LineEndBeforeEntry(path);
    runLog.file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    error = runLog.file == INVALID_HANDLE_VALUE ? GetLastError() : WriteWhole(runLog.file, lineEnd);
  }
  if (error != ERROR_SUCCESS) return FallBack(error, "");
  SetOutputCopy(CopyToLog);
  Print(FirstLine() + "\n");
}

void CloseRunLog(int exitCode, const std::string& meaning) {
  Print("==== exit code " + std::to_string(exitCode) + ": " + meaning + "\n");
  StopLogging();
}
