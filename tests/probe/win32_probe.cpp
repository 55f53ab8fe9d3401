// Conformance probe: calls the Win32 functions that tessamin uses and prints one line per
// result. Built for Linux it runs on the stand-in machine (tests/probe/machine.json); built
// with mingw-w64 it runs under Wine, whose kernel32 and advapi32 are real implementations.
// tests/probe/run-probe runs both and compares the outputs line by line.
//
// Only what is deterministic is printed: the final state of a service after its pending
// phase, never the check points met on the way (a real service passes them in real time).
// A line that may differ between the platforms starts with "~ (reason) ": the comparison
// leaves it out. Any other difference is a fault in the stand-in.
#include <cstdio>
#include <cstring>

#include "platform/platform.h"

namespace {

const char kInterfaceKey[] =
    "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\{0A1B2C3D-0001-0ABC-8D9E-AF0123456789}";

WideString Wide(const char* ascii) {
  WideString text;
  while (*ascii) text.push_back(static_cast<WCHAR>(*ascii++));
  return text;
}

// The bytes of a conversion result in hex, or "-" for none.
void PrintBytes(const unsigned char* bytes, int count) {
  if (count <= 0) printf(" -");
  for (int i = 0; i < count; ++i) printf(" %02X", bytes[i]);
}

// Every byte of code page 1252 alone, without and with MB_ERR_INVALID_CHARS.
void ProbeBytesToUnits() {
  for (int value = 0; value < 256; ++value) {
    const char byte = static_cast<char>(value);
    printf("MultiByteToWideChar 1252 %02X", value);
    for (DWORD flags : {DWORD(0), DWORD(MB_ERR_INVALID_CHARS), DWORD(MB_PRECOMPOSED)}) {
      WCHAR unit = 0xFFFF;
      SetLastError(0);
      const int result = MultiByteToWideChar(1252, flags, &byte, 1, &unit, 1);
      printf(" | flags %lu -> %d", static_cast<unsigned long>(flags), result);
      if (result == 1) printf(" %04X", static_cast<unsigned>(unit));
      else printf(" error %lu", static_cast<unsigned long>(GetLastError()));
    }
    printf("\n");
  }
}

// Every UTF-16 unit alone: without a default character, with the used-flag only, and with
// the default character "*" and the used-flag.
void ProbeUnitsToBytes() {
  for (unsigned value = 0; value <= 0xFFFF; ++value) {
    const WCHAR unit = static_cast<WCHAR>(value);
    printf("WideCharToMultiByte 1252 %04X", value);
    unsigned char byte[2] = {0, 0};
    int result = WideCharToMultiByte(1252, 0, &unit, 1, reinterpret_cast<LPSTR>(byte), 2, nullptr, nullptr);
    printf(" ->");
    PrintBytes(byte, result);
    BOOL used = 2;
    result = WideCharToMultiByte(1252, 0, &unit, 1, reinterpret_cast<LPSTR>(byte), 2, nullptr, &used);
    printf(" | used-flag ->");
    PrintBytes(byte, result);
    printf(" used %d", used);
    used = 2;
    result = WideCharToMultiByte(1252, 0, &unit, 1, reinterpret_cast<LPSTR>(byte), 2, "*", &used);
    printf(" | default * ->");
    PrintBytes(byte, result);
    printf(" used %d\n", used);
  }
}

// The tool converts with CP_ACP: on both platforms here it must be code page 1252.
void ProbeAnsiCodePage() {
  int bytesDiffering = 0, unitsDiffering = 0;
  for (int value = 0; value < 256; ++value) {
    const char byte = static_cast<char>(value);
    WCHAR ansi = 0, latin = 1;
    MultiByteToWideChar(CP_ACP, 0, &byte, 1, &ansi, 1);
    MultiByteToWideChar(1252, 0, &byte, 1, &latin, 1);
    bytesDiffering += ansi != latin;
  }
  for (unsigned value = 0; value <= 0xFFFF; ++value) {
    const WCHAR unit = static_cast<WCHAR>(value);
    char ansi = 0, latin = 1;
    WideCharToMultiByte(CP_ACP, 0, &unit, 1, &ansi, 1, nullptr, nullptr);
    WideCharToMultiByte(1252, 0, &unit, 1, &latin, 1, nullptr, nullptr);
    unitsDiffering += ansi != latin;
  }
  printf("CP_ACP differs from 1252 in %d bytes and %d UTF-16 units\n", bytesDiffering, unitsDiffering);
}

// Lengths, terminators and short buffers, as the tool's text functions meet them.
void ProbeConversionSizes() {
  const char bytes[] = "Caf\xE9 \x80";
  const WCHAR units[] = {0x0043, 0x03A9, 0x20AC, 0x2260, 0};
  WCHAR wide[8];
  char narrow[8];
  SetLastError(0);
  printf("MultiByteToWideChar 1252 size of 6 bytes -> %d\n", MultiByteToWideChar(1252, 0, bytes, 6, nullptr, 0));
  printf("MultiByteToWideChar 1252 size with terminator -> %d\n", MultiByteToWideChar(1252, 0, bytes, -1, nullptr, 0));
  int result = MultiByteToWideChar(1252, 0, bytes, 6, wide, 3);
  printf("MultiByteToWideChar 1252 into 3 units -> %d error %lu\n", result, static_cast<unsigned long>(GetLastError()));
  SetLastError(0);
  printf("WideCharToMultiByte 1252 size of 4 units -> %d\n",
         WideCharToMultiByte(1252, 0, units, 4, nullptr, 0, nullptr, nullptr));
  printf("WideCharToMultiByte 1252 size with terminator -> %d\n",
         WideCharToMultiByte(1252, 0, units, -1, nullptr, 0, nullptr, nullptr));
  BOOL used = 2;
  result = WideCharToMultiByte(1252, 0, units, -1, narrow, sizeof narrow, nullptr, &used);
  printf("WideCharToMultiByte 1252 with terminator ->");
  PrintBytes(reinterpret_cast<unsigned char*>(narrow), result);
  printf(" used %d\n", used);
  result = WideCharToMultiByte(1252, 0, units, 4, narrow, 2, nullptr, nullptr);
  printf("WideCharToMultiByte 1252 into 2 bytes -> %d error %lu\n", result, static_cast<unsigned long>(GetLastError()));
  SetLastError(0);
  char room[16];
  result = WideCharToMultiByte(CP_UTF8, 0, units, 4, room, sizeof room, nullptr, &used);
  printf("~ (Windows refuses the used-flag for UTF-8 with 87, Wine 8.0 ignores it) "
         "WideCharToMultiByte 65001 with the used-flag -> %d error %lu\n",
         result, static_cast<unsigned long>(GetLastError()));
  SetLastError(0);
  result = WideCharToMultiByte(CP_UTF8, 0, units, 4, room, sizeof room, "*", nullptr);
  printf("~ (Windows refuses a default character for UTF-8 with 87, Wine 8.0 ignores it) "
         "WideCharToMultiByte 65001 with a default character -> %d error %lu\n",
         result, static_cast<unsigned long>(GetLastError()));
}

const char* StateName(DWORD state) {
  switch (state) {
    case SERVICE_STOPPED: return "STOPPED";
    case SERVICE_START_PENDING: return "START_PENDING";
    case SERVICE_STOP_PENDING: return "STOP_PENDING";
    case SERVICE_RUNNING: return "RUNNING";
    default: return "OTHER";
  }
}

void PrintOutcome(const char* call, BOOL result) {
  if (result) printf("%s -> 1\n", call);
  else printf("%s -> 0 error %lu\n", call, static_cast<unsigned long>(GetLastError()));
}

// Queries until the service leaves the pending state (at most about a minute of polling)
// and prints the state it settles in.
void PrintSettledState(SC_HANDLE service, DWORD pendingState, const char* what) {
  SERVICE_STATUS_PROCESS status = {};
  DWORD needed = 0;
  BOOL queried = FALSE;
  for (int attempt = 0; attempt < 600; ++attempt) {
    queried = QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<LPBYTE>(&status),
                                   sizeof status, &needed);
    if (!queried || status.dwCurrentState != pendingState) break;
    Sleep(100);
  }
  if (!queried) {
    printf("%s: QueryServiceStatusEx -> 0 error %lu\n", what, static_cast<unsigned long>(GetLastError()));
    return;
  }
  printf("%s: state %s check point %lu wait hint %lu controls %lu needed %lu\n", what,
         StateName(status.dwCurrentState), static_cast<unsigned long>(status.dwCheckPoint),
         static_cast<unsigned long>(status.dwWaitHint), static_cast<unsigned long>(status.dwControlsAccepted),
         static_cast<unsigned long>(needed));
}

void ProbeServices() {
  SetLastError(0);
  SC_HANDLE manager = OpenSCManagerW(nullptr, WTEXT("ServicesActive"), SC_MANAGER_ALL_ACCESS);
  PrintOutcome("OpenSCManagerW", manager != nullptr);
  if (manager == nullptr) return;
  for (const char* name : {"WZCSVC", "wzcsvc", "WzcSvc", "wZCSVc", "WZCSVC ", "WZCSV", "NoSuchService"}) {
    SetLastError(0);
    SC_HANDLE service = OpenServiceW(manager, Wide(name).c_str(), SERVICE_QUERY_STATUS);
    printf("OpenServiceW '%s'", name);
    PrintOutcome("", service != nullptr);
    if (service) CloseServiceHandle(service);
  }

  // A handle without the start and stop rights is refused both.
  SC_HANDLE limited = OpenServiceW(manager, WTEXT("wzcsvc"), SERVICE_QUERY_STATUS);
  SERVICE_STATUS plain = {};
  PrintOutcome("StartServiceW without SERVICE_START", StartServiceW(limited, 0, nullptr));
  PrintOutcome("ControlService stop without SERVICE_STOP", ControlService(limited, SERVICE_CONTROL_STOP, &plain));
  CloseServiceHandle(limited);

  SC_HANDLE service = OpenServiceW(manager, WTEXT("WzcSvc"), SERVICE_ALL_ACCESS);
  PrintSettledState(service, SERVICE_STOP_PENDING, "before start");
  DWORD needed = 0;
  SERVICE_STATUS_PROCESS status = {};
  BOOL queried = QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<LPBYTE>(&status), 8, &needed);
  printf("QueryServiceStatusEx into 8 bytes -> %d error %lu needed %lu\n", queried,
         static_cast<unsigned long>(GetLastError()), static_cast<unsigned long>(needed));
  PrintOutcome("ControlService stop of a stopped service", ControlService(service, SERVICE_CONTROL_STOP, &plain));
  PrintOutcome("StartServiceW", StartServiceW(service, 0, nullptr));
  PrintSettledState(service, SERVICE_START_PENDING, "after start");
  PrintOutcome("StartServiceW of a running service", StartServiceW(service, 0, nullptr));
  plain = SERVICE_STATUS();
  const BOOL stopped = ControlService(service, SERVICE_CONTROL_STOP, &plain);
  PrintOutcome("ControlService stop", stopped);
  if (stopped) {
    const bool leaving = plain.dwCurrentState == SERVICE_STOP_PENDING || plain.dwCurrentState == SERVICE_STOPPED;
    printf("ControlService stop reports the service leaving: %s\n", leaving ? "yes" : "no");
  }
  PrintSettledState(service, SERVICE_STOP_PENDING, "after stop");
  CloseServiceHandle(service);
  CloseServiceHandle(manager);
}

void PrintQuery(const char* what, LSTATUS result, DWORD type, DWORD size, const BYTE* data) {
  printf("RegQueryValueExW %s -> %ld", what, static_cast<long>(result));
  if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) printf(" type %lu size %lu", static_cast<unsigned long>(type), static_cast<unsigned long>(size));
  if (result == ERROR_SUCCESS && data != nullptr) PrintBytes(data, static_cast<int>(size));
  printf("\n");
}

void ProbeRegistry() {
  HKEY key = nullptr;
  WideString missing = Wide(kInterfaceKey);
  missing[missing.size() - 2] = '0';  // a GUID no interface has
  printf("RegOpenKeyExW missing key -> %ld\n",
         static_cast<long>(RegOpenKeyExW(HKEY_LOCAL_MACHINE, missing.c_str(), 0, KEY_READ, &key)));
  WideString otherCase = Wide(kInterfaceKey);
  for (WCHAR& c : otherCase) {
    if (c >= 'a' && c <= 'z') c = static_cast<WCHAR>(c - 'a' + 'A');
    else if (c >= 'A' && c <= 'Z') c = static_cast<WCHAR>(c - 'A' + 'a');
  }
  LSTATUS result = RegOpenKeyExW(HKEY_LOCAL_MACHINE, otherCase.c_str(), 0, KEY_READ, &key);
  printf("RegOpenKeyExW in other letter case -> %ld\n", static_cast<long>(result));
  if (result == ERROR_SUCCESS) {
    const DWORD one = 1;
    printf("RegSetValueExW with KEY_READ only -> %ld\n",
           static_cast<long>(RegSetValueExW(key, WTEXT("Probe"), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4)));
    RegCloseKey(key);
  }
  result = RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(kInterfaceKey).c_str(), 0, KEY_READ | KEY_SET_VALUE, &key);
  printf("RegOpenKeyExW -> %ld\n", static_cast<long>(result));
  if (result != ERROR_SUCCESS) return;

  BYTE data[16];
  DWORD type = 0, size = sizeof data;
  result = RegQueryValueExW(key, WTEXT("ControlFlags"), nullptr, &type, data, &size);
  PrintQuery("ControlFlags", result, type, size, data);
  type = 0, size = sizeof data;
  result = RegQueryValueExW(key, WTEXT("controlFLAGS"), nullptr, &type, data, &size);
  PrintQuery("controlFLAGS", result, type, size, data);
  type = 0, size = 0;
  result = RegQueryValueExW(key, WTEXT("ControlFlags"), nullptr, &type, nullptr, &size);
  PrintQuery("ControlFlags size only", result, type, size, nullptr);
  type = 0, size = 2;
  result = RegQueryValueExW(key, WTEXT("ControlFlags"), nullptr, &type, data, &size);
  PrintQuery("ControlFlags into 2 bytes", result, type, size, nullptr);
  result = RegQueryValueExW(key, WTEXT("ControlFlags"), nullptr, &type, data, nullptr);
  PrintQuery("ControlFlags without a size", result, 0, 0, nullptr);
  type = 0, size = sizeof data;
  result = RegQueryValueExW(key, WTEXT("NoSuchValue"), nullptr, &type, data, &size);
  PrintQuery("NoSuchValue", result, type, size, data);

  // REG_DWORD data of every size from none to eight bytes is stored and read back as given.
  const BYTE pattern[8] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
  for (DWORD length = 0; length <= 8; ++length) {
    printf("RegSetValueExW REG_DWORD of %lu bytes -> %ld\n", static_cast<unsigned long>(length),
           static_cast<long>(RegSetValueExW(key, WTEXT("ProbeDword"), 0, REG_DWORD, pattern, length)));
    type = 0, size = sizeof data;
    memset(data, 0, sizeof data);
    result = RegQueryValueExW(key, WTEXT("ProbeDword"), nullptr, &type, data, &size);
    PrintQuery("ProbeDword", result, type, size, data);
    type = 0, size = 4;
    result = RegQueryValueExW(key, WTEXT("ProbeDword"), nullptr, &type, data, &size);
    PrintQuery("ProbeDword into 4 bytes", result, type, size, length <= 4 ? data : nullptr);
  }

  // Other types under the name the tool reads.
  const WCHAR text[] = {'o', 'n', 0};
  printf("RegSetValueExW REG_SZ -> %ld\n",
         static_cast<long>(RegSetValueExW(key, WTEXT("ProbeOther"), 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text)));
  type = 0, size = 4;
  result = RegQueryValueExW(key, WTEXT("ProbeOther"), nullptr, &type, data, &size);
  PrintQuery("REG_SZ into 4 bytes", result, type, size, nullptr);
  type = 0, size = sizeof data;
  result = RegQueryValueExW(key, WTEXT("ProbeOther"), nullptr, &type, data, &size);
  PrintQuery("REG_SZ", result, type, size, data);
  printf("RegSetValueExW REG_BINARY -> %ld\n",
         static_cast<long>(RegSetValueExW(key, WTEXT("ProbeOther"), 0, REG_BINARY, pattern, 3)));
  type = 0, size = sizeof data;
  result = RegQueryValueExW(key, WTEXT("ProbeOther"), nullptr, &type, data, &size);
  PrintQuery("REG_BINARY", result, type, size, data);
  printf("RegCloseKey -> %ld\n", static_cast<long>(RegCloseKey(key)));
}

}  // namespace

int main() {
  ProbeBytesToUnits();
  ProbeUnitsToBytes();
  ProbeConversionSizes();
  ProbeAnsiCodePage();
  ProbeServices();
  ProbeRegistry();
  return 0;
}
