// kernel32 and advapi32: the environment, the computer's name and local time, the process
// and security descriptors, from the host and the machine file.
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "platform/platform.h"
#include "platform/standin/api/clock.h"
#include "platform/standin/api/reset.h"
#include "platform/standin/api/security.h"
#include "platform/standin/machine/machine.h"
#include "platform/standin/machine/trace.h"
#include "platform/standin/text/ascii.h"
#include "platform/standin/text/unicode.h"

#define ERROR_INVALID_SECURITY_DESCR 1338L

extern char** environ;

namespace standin {

struct DescriptorBlock {
  bool ownerAlone;
};

static std::set<void*> localBlocks;

void ResetSystem() {
  for (void* block : localBlocks) delete static_cast<DescriptorBlock*>(block);
  localBlocks.clear();
}

bool GrantsOwnerAlone(PSECURITY_DESCRIPTOR descriptor) {
  return localBlocks.count(descriptor) != 0 && static_cast<DescriptorBlock*>(descriptor)->ownerAlone;
}

// A DACL in the descriptor language: "D:" with its flags, then access entries
// "(type;flags;rights;object;inherited object;account)". Owner alone: protected ("P"),
// and every entry allows access to the owner (OW), administrators (BA) or SYSTEM (SY).
static bool ParseDescriptor(const std::string& text, bool& ownerAlone) {
  if (text.compare(0, 2, "D:") != 0) return false;
  size_t at = 2;
  const size_t firstEntry = text.find('(', at);
  const std::string flags = text.substr(at, firstEntry == std::string::npos ? std::string::npos : firstEntry - at);
  ownerAlone = flags.find('P') != std::string::npos;
  at = firstEntry == std::string::npos ? text.size() : firstEntry;
  bool anyEntry = false;
  while (at < text.size()) {
    if (text[at] != '(') return false;
    const size_t end = text.find(')', at);
    if (end == std::string::npos) return false;
    const std::string entry = text.substr(at + 1, end - at - 1);
    size_t fields = 0;
    for (char c : entry) fields += c == ';';
    if (fields != 5) return false;
    const std::string type = entry.substr(0, entry.find(';'));
    const std::string account = entry.substr(entry.rfind(';') + 1);
    if (type != "A" || (account != "OW" && account != "BA" && account != "SY")) ownerAlone = false;
    anyEntry = true;
    at = end + 1;
  }
  ownerAlone = ownerAlone && anyEntry;
  return true;
}

static std::string Show(LPCWSTR text) {
  return text ? Utf16ToUtf8(Utf16Text(text)) : "(null)";
}

// Windows' names of variables ignore letter case.
static const char* FindVariable(const std::string& name) {
  if (const char* exact = getenv(name.c_str())) return exact;
  for (char** entry = environ; entry && *entry; ++entry) {
    const char* equals = strchr(*entry, '=');
    if (equals && SameNameIgnoringCase(std::string(*entry, static_cast<size_t>(equals - *entry)), name))
      return equals + 1;
  }
  return nullptr;
}

static int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

static SYSTEMTIME FromParts(const struct tm& parts, WORD milliseconds) {
  SYSTEMTIME time = {};
  time.wYear = static_cast<WORD>(parts.tm_year + 1900);
  time.wMonth = static_cast<WORD>(parts.tm_mon + 1);
  time.wDayOfWeek = static_cast<WORD>(parts.tm_wday);
  time.wDay = static_cast<WORD>(parts.tm_mday);
  time.wHour = static_cast<WORD>(parts.tm_hour);
  time.wMinute = static_cast<WORD>(parts.tm_min);
  time.wSecond = static_cast<WORD>(parts.tm_sec);
  time.wMilliseconds = milliseconds;
  return time;
}

// The machine's localTime, advanced by the virtual clock since tickCount; false without one.
static bool MachineLocalTime(SYSTEMTIME& time) {
  const Json* machine = Machine();
  if (machine == nullptr) return false;
  int year, month, day, hour, minute, second;
  if (!ParseLocalTime(StringMember(*machine, "localTime"), year, month, day, hour, minute, second)) return false;
  const DWORD elapsed = VirtualTicks() - NumberMember(*machine, "tickCount");
  const int64_t seconds = DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second + elapsed / 1000;
  const time_t at = static_cast<time_t>(seconds);
  struct tm parts;
  gmtime_r(&at, &parts);
  time = FromParts(parts, static_cast<WORD>(elapsed % 1000));
  return true;
}

static void HostLocalTime(SYSTEMTIME& time) {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  struct tm parts;
  localtime_r(&now.tv_sec, &parts);
  time = FromParts(parts, static_cast<WORD>(now.tv_nsec / 1000000));
}

}  // namespace standin

using namespace standin;

extern "C" DWORD WINAPI GetEnvironmentVariableW(LPCWSTR lpName, LPWSTR lpBuffer, DWORD nSize) {
  const char* value = lpName ? FindVariable(Utf16ToUtf8(Utf16Text(lpName))) : nullptr;
  DWORD result = 0;
  if (value == nullptr) {
    SetLastError(lpName ? ERROR_ENVVAR_NOT_FOUND : ERROR_INVALID_PARAMETER);
  } else {
    const std::u16string wide = Utf8ToUtf16(value);
    if (lpBuffer == nullptr || nSize <= wide.size()) {
      result = static_cast<DWORD>(wide.size() + 1);  // the room it needs, its terminator included
    } else {
      CopyUtf16(wide, lpBuffer, nSize);
      result = static_cast<DWORD>(wide.size());
    }
  }
  Trace("GetEnvironmentVariableW " + Show(lpName) + " -> " + std::to_string(result));
  return result;
}

extern "C" BOOL WINAPI GetComputerNameW(LPWSTR lpBuffer, LPDWORD nSize) {
  const Json* machine = Machine();
  std::string name = machine ? StringMember(*machine, "computerName") : "";
  if (name.empty()) name = "XPCLIENT";
  const std::u16string wide = Utf8ToUtf16(name);
  BOOL result = FALSE;
  if (nSize == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
  } else if (lpBuffer == nullptr || *nSize <= wide.size()) {
    *nSize = static_cast<DWORD>(wide.size() + 1);
    SetLastError(ERROR_BUFFER_OVERFLOW);
  } else {
    CopyUtf16(wide, lpBuffer, *nSize);
    *nSize = static_cast<DWORD>(wide.size());
    result = TRUE;
  }
  Trace("GetComputerNameW -> " + (result ? name : "0 (" + std::to_string(GetLastError()) + ")"));
  return result;
}

extern "C" VOID WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime) {
  if (lpSystemTime == nullptr) return;
  *lpSystemTime = SYSTEMTIME();
  if (!MachineLocalTime(*lpSystemTime)) HostLocalTime(*lpSystemTime);
  char shown[64];
  snprintf(shown, sizeof shown, "%04u-%02u-%02u %02u:%02u:%02u", lpSystemTime->wYear, lpSystemTime->wMonth,
           lpSystemTime->wDay, lpSystemTime->wHour, lpSystemTime->wMinute, lpSystemTime->wSecond);
  Trace(std::string("GetLocalTime -> ") + shown);
}

// XP's behaviour: a buffer too small gets the path cut to nSize units, without a terminator,
// and the result is nSize.
extern "C" DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
  DWORD result = 0;
  char path[4096];
  const ssize_t length = hModule == nullptr ? readlink("/proc/self/exe", path, sizeof path - 1) : -1;
  if (length < 0 || lpFilename == nullptr) {
    SetLastError(hModule ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
  } else {
    const std::u16string wide = Utf8ToUtf16(std::string(path, static_cast<size_t>(length)));
    result = wide.size() < nSize ? static_cast<DWORD>(wide.size()) : nSize;
    wide.copy(reinterpret_cast<char16_t*>(lpFilename), result);
    if (result < nSize) lpFilename[result] = 0;
    SetLastError(ERROR_SUCCESS);
  }
  Trace("GetModuleFileNameW " + std::to_string(nSize) + " -> " + std::to_string(result));
  return result;
}

extern "C" HANDLE WINAPI GetCurrentProcess(void) {
  return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));
}

// The stand-in is a 32-bit Windows: no process runs under WOW64.
extern "C" BOOL WINAPI IsWow64Process(HANDLE hProcess, PBOOL Wow64Process) {
  BOOL result = FALSE;
  if (hProcess != GetCurrentProcess() || Wow64Process == nullptr) SetLastError(ERROR_INVALID_PARAMETER);
  else result = TRUE, *Wow64Process = FALSE;
  Trace("IsWow64Process -> " + std::to_string(result) + (result ? " (" + std::to_string(*Wow64Process) + ")" : ""));
  return result;
}

extern "C" BOOL WINAPI ConvertStringSecurityDescriptorToSecurityDescriptorW(LPCWSTR StringSecurityDescriptor,
                                                                            DWORD StringSDRevision,
                                                                            PSECURITY_DESCRIPTOR* SecurityDescriptor,
                                                                            PULONG SecurityDescriptorSize) {
  bool ownerAlone = false;
  BOOL result = FALSE;
  if (StringSecurityDescriptor == nullptr || SecurityDescriptor == nullptr || StringSDRevision != SDDL_REVISION_1) {
    SetLastError(ERROR_INVALID_PARAMETER);
  } else if (!ParseDescriptor(Utf16ToUtf8(Utf16Text(StringSecurityDescriptor)), ownerAlone)) {
    SetLastError(ERROR_INVALID_SECURITY_DESCR);
  } else {
    DescriptorBlock* descriptor = new DescriptorBlock{ownerAlone};
    localBlocks.insert(descriptor);
    *SecurityDescriptor = descriptor;
    if (SecurityDescriptorSize) *SecurityDescriptorSize = sizeof *descriptor;
    result = TRUE;
  }
  Trace("ConvertStringSecurityDescriptorToSecurityDescriptorW " + Show(StringSecurityDescriptor) + " -> " +
        std::to_string(result));
  return result;
}

// The DACL of a descriptor stands for the descriptor itself: all the stand-in keeps of it.
extern "C" BOOL WINAPI GetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR pSecurityDescriptor, LPBOOL lpbDaclPresent,
                                                 PACL* pDacl, LPBOOL lpbDaclDefaulted) {
  const BOOL result = localBlocks.count(pSecurityDescriptor) != 0 && lpbDaclPresent && pDacl && lpbDaclDefaulted;
  if (!result) {
    SetLastError(ERROR_INVALID_SECURITY_DESCR);
  } else {
    *lpbDaclPresent = TRUE;
    *pDacl = static_cast<PACL>(pSecurityDescriptor);
    *lpbDaclDefaulted = FALSE;
  }
  Trace("GetSecurityDescriptorDacl -> " + std::to_string(result));
  return result;
}

// Frees what the stand-in allocated for the caller; anything else is handed back, as a failure.
extern "C" HLOCAL WINAPI LocalFree(HLOCAL hMem) {
  HLOCAL result = nullptr;
  if (hMem != nullptr && localBlocks.erase(hMem) != 0) {
    delete static_cast<DescriptorBlock*>(hMem);
  } else if (hMem != nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    result = hMem;
  }
  Trace(std::string("LocalFree -> ") + (result ? "failed" : "0"));
  return result;
}
