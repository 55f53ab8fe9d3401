// Conformance probe: calls the Win32 functions that tessamin uses and prints one line per
// result. Built for Linux it runs on the stand-in machine (tests/probe/machine.json); built
// with mingw-w64 it runs under Wine, whose kernel32 and advapi32 are real implementations,
// with the stand-in's wlanapi.dll, whose answers are checked against XP's besides.
// tests/probe/run-probe runs both and compares the outputs line by line.
//
// Only what is deterministic is printed: the final state of a service after its pending
// phase, never the check points met on the way (a real service passes them in real time).
// A line that may differ between the platforms starts with "~ (reason) ": the comparison
// leaves it out. Any other difference is a fault in the stand-in.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

const UINT kCodePages[] = {874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};

std::string Format(const char* format, unsigned long value) {
  char text[32];
  snprintf(text, sizeof text, format, value);
  return text;
}

// " -> N", the error when N is 0, and what the buffer shows: the result, or all the room
// given when the call failed.
template <class Element>
std::string Result(int result, const Element* buffer, int room) {
  std::string text = Format(" -> %lu", static_cast<unsigned long>(result));
  if (result == 0) text += Format(" error %lu", static_cast<unsigned long>(GetLastError()));
  const int shown = result == 0 ? room : room == 0 ? 0 : result;
  for (int i = 0; i < shown; ++i) text += Format(sizeof(Element) == 1 ? " %02X" : " %04X", buffer[i]);
  return text;
}

// The bytes through MultiByteToWideChar into room units, with each flag the tool's platform takes.
std::string Decoded(UINT codePage, const char* bytes, int count, int room) {
  std::string text;
  for (DWORD flags : {DWORD(0), DWORD(MB_ERR_INVALID_CHARS), DWORD(MB_PRECOMPOSED)}) {
    WCHAR units[16];
    for (WCHAR& unit : units) unit = 0xFFFF;
    SetLastError(0);
    const int result = MultiByteToWideChar(codePage, flags, bytes, count, room ? units : nullptr, room);
    text += Format(" | flags %lu", static_cast<unsigned long>(flags)) + Result(result, units, room);
  }
  return text;
}

// The units through WideCharToMultiByte into room bytes, with that default character, and
// the used-flag when asked for.
std::string Encoded(UINT codePage, const WCHAR* units, int count, int room, const char* defaultChar, bool used) {
  unsigned char bytes[32];
  memset(bytes, 0xEE, sizeof bytes);
  BOOL usedDefault = 2;
  SetLastError(0);
  const int result = WideCharToMultiByte(codePage, 0, units, count, room ? reinterpret_cast<LPSTR>(bytes) : nullptr,
                                         room, defaultChar, used ? &usedDefault : nullptr);
  return Result(result, bytes, room) + (used ? Format(" used %lu", static_cast<unsigned long>(usedDefault)) : "");
}

// The results of a block of 256 conversions, one text line each: printed when the block is
// the one asked for in detail, otherwise folded into a digest (FNV-1a) that one line shows.
struct Block {
  bool detailed;
  unsigned long long digest;
};

void AddResult(Block& block, const std::string& line) {
  if (block.detailed) printf("%s\n", line.c_str());
  for (char c : line + "\n") block.digest = (block.digest ^ static_cast<unsigned char>(c)) * 1099511628211ull;
}

// Each byte alone (first: 0), or each byte after the first (a lead byte or not).
void ByteBlock(UINT codePage, unsigned first, Block& block) {
  for (unsigned value = 0; value < 256; ++value) {
    const char bytes[2] = {static_cast<char>(first), static_cast<char>(value)};
    const bool pair = first != 0;
    AddResult(block, Format("%04X", first << 8 | value) + Decoded(codePage, bytes + !pair, 1 + pair, 4));
  }
}

// Each UTF-16 unit of the block alone: without a default character, with the used-flag, and
// with the default character '*' and the used-flag.
void UnitBlock(UINT codePage, unsigned high, Block& block) {
  for (unsigned value = high << 8; value < (high + 1) << 8; ++value) {
    const WCHAR unit = static_cast<WCHAR>(value);
    AddResult(block, Format("%04X", value) + Encoded(codePage, &unit, 1, 3, nullptr, false) + " |" +
                         Encoded(codePage, &unit, 1, 3, nullptr, true) + " | *" +
                         Encoded(codePage, &unit, 1, 3, "*", true));
  }
}

const struct {
  const char* call;
  const char* kind;  // as the lines and the detail arguments name it
  void (*probe)(UINT codePage, unsigned at, Block& block);
} kBlockKinds[] = {{"MultiByteToWideChar", "bytes", ByteBlock}, {"WideCharToMultiByte", "units", UnitBlock}};

void PrintBlock(UINT codePage, int kind, unsigned at, bool detailed) {
  Block block = {detailed, 14695981039346656037ull};
  kBlockKinds[kind].probe(codePage, at, block);
  if (!detailed)
    printf("%s %u %s %02Xxx %016llX\n", kBlockKinds[kind].call, codePage, kBlockKinds[kind].kind, at, block.digest);
}

// Every byte, and in the code pages with lead bytes every pair from 0x80 on; every UTF-16
// unit; then sizes, terminators, a lead byte at the end or before NUL, default characters,
// and each buffer size from 1, as the tool's text functions meet them.
void ProbeCodePages() {
  const char bytes[] = "Caf\xE9 \x80\xA4\xA1\x81";
  const WCHAR units[] = {0x0043, 0x00E9, 0x03A9, 0x20AC, 0x4E00, 0x3042, 0xAC00, 0xFFFD, 0xD800, 0};
  for (UINT cp : kCodePages) {
    const bool leadBytes = cp == 932 || cp == 936 || cp == 949 || cp == 950;
    for (unsigned first = 0; first < 0x100; first = first == 0 && leadBytes ? 0x80 : first == 0 ? 0x100 : first + 1)
      PrintBlock(cp, 0, first, false);
    for (unsigned high = 0; high < 0x100; ++high) PrintBlock(cp, 1, high, false);
    printf("MultiByteToWideChar %u with a lead byte at the end%s\n", cp, Decoded(cp, "a\x81", 2, 4).c_str());
    printf("MultiByteToWideChar %u with a lead byte before NUL%s\n", cp, Decoded(cp, "\x81\0b", 3, 4).c_str());
    printf("MultiByteToWideChar %u with terminator%s\n", cp, Decoded(cp, bytes, -1, 16).c_str());
    for (int room = 0; room <= 9; ++room)
      printf("MultiByteToWideChar %u into %d units%s\n", cp, room, Decoded(cp, bytes, 9, room).c_str());
    for (const char* defaultChar : {"*", "\x81\x40"})
      printf("WideCharToMultiByte %u with terminator, default %s%s\n", cp,
             defaultChar[1] ? "of two bytes" : defaultChar, Encoded(cp, units, -1, 32, defaultChar, true).c_str());
    for (int room = 0; room <= 18; ++room)
      printf("WideCharToMultiByte %u into %d bytes%s\n", cp, room, Encoded(cp, units, 9, room, nullptr, true).c_str());
  }
  printf(
      "~ (Windows refuses the used-flag for UTF-8 with 87, Wine 8.0 ignores it) WideCharToMultiByte 65001 "
      "with the used-flag%s\n",
      Encoded(CP_UTF8, units, 4, 16, nullptr, true).c_str());
  printf(
      "~ (Windows refuses a default character for UTF-8 with 87, Wine 8.0 ignores it) WideCharToMultiByte 65001 "
      "with a default character%s\n",
      Encoded(CP_UTF8, units, 4, 16, "*", false).c_str());
}

// The tool converts with CP_ACP: on both platforms here it must be code page 1252, the
// stand-in's default.
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
    queried = QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<LPBYTE>(&status), sizeof status,
                                   &needed);
    if (!queried || status.dwCurrentState != pendingState) break;
    Sleep(100);
  }
  if (!queried) {
    printf("%s: QueryServiceStatusEx -> 0 error %lu\n", what, static_cast<unsigned long>(GetLastError()));
    return;
  }
  printf("%s: state %s check point %lu wait hint %lu controls %lu needed %lu\n", what, StateName(status.dwCurrentState),
         static_cast<unsigned long>(status.dwCheckPoint), static_cast<unsigned long>(status.dwWaitHint),
         static_cast<unsigned long>(status.dwControlsAccepted), static_cast<unsigned long>(needed));
}

// The answers of XP's wlanapi (client version 1) that Wine's conformance tests record: the
// service before the version, every version negotiating 1, 87 for a null client handle and 6
// for one that is not open (closed, or never opened) in every call, no memory of 0 bytes. A
// line holding "(XP: ...)" gives XP's answer where it differs: run-probe fails on it.
void ProbeWlan(bool running) {
  const auto print = [running](const std::string& call, const std::string& answer, const std::string& xp) {
    printf("%s, WZCSVC %s -> %s%s\n", call.c_str(), running ? "running" : "stopped", answer.c_str(),
           answer == xp ? "" : (" (XP: " + xp + ")").c_str());
  };
  HANDLE notOpen = reinterpret_cast<HANDLE>(0xDEAD);
  for (DWORD asked : {0u, 1u, 2u, 10u}) {
    DWORD version = 77;
    const DWORD result = WlanOpenHandle(asked, nullptr, &version, &notOpen);
    print("WlanOpenHandle version " + std::to_string(asked),
          Format("%lu", result) + (result == 0 ? Format(" negotiated %lu", version) : ""),
          running ? "0 negotiated 1" : "1062");
    if (result == 0) WlanCloseHandle(notOpen, nullptr);
  }
  const GUID guid = {};
  WLAN_CONNECTION_PARAMETERS parameters = {
      wlan_connection_mode_profile, WTEXT("Office"), nullptr, nullptr, dot11_BSS_type_any, 0};
  PWLAN_INTERFACE_INFO_LIST interfaces = nullptr;
  for (HANDLE handle : {HANDLE(nullptr), notOpen}) {
    const std::string with = handle ? " with a handle not open" : " with a null handle", xp = handle ? "6" : "87";
    print("WlanEnumInterfaces" + with, Format("%lu", WlanEnumInterfaces(handle, nullptr, &interfaces)), xp);
    print("WlanScan" + with, Format("%lu", WlanScan(handle, &guid, nullptr, nullptr, nullptr)), xp);
    print("WlanConnect" + with, Format("%lu", WlanConnect(handle, &guid, &parameters, nullptr)), xp);
    print("WlanCloseHandle" + with, Format("%lu", WlanCloseHandle(handle, nullptr)), xp);
  }
  SetLastError(0);
  const PVOID memory = WlanAllocateMemory(0);
  print("WlanAllocateMemory of 0 bytes", (memory ? "memory" : "null") + Format(" error %lu", GetLastError()),
        "null error 87");
  WlanFreeMemory(nullptr);
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
  ProbeWlan(false);
  DWORD needed = 0;
  SERVICE_STATUS_PROCESS status = {};
  BOOL queried = QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<LPBYTE>(&status), 8, &needed);
  printf("QueryServiceStatusEx into 8 bytes -> %d error %lu needed %lu\n", queried,
         static_cast<unsigned long>(GetLastError()), static_cast<unsigned long>(needed));
  PrintOutcome("ControlService stop of a stopped service", ControlService(service, SERVICE_CONTROL_STOP, &plain));
  PrintOutcome("StartServiceW", StartServiceW(service, 0, nullptr));
  PrintSettledState(service, SERVICE_START_PENDING, "after start");
  ProbeWlan(true);
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
  if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA)
    printf(" type %lu size %lu", static_cast<unsigned long>(type), static_cast<unsigned long>(size));
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
    printf(
        "RegSetValueExW with KEY_READ only -> %ld\n",
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
         static_cast<long>(
             RegSetValueExW(key, WTEXT("ProbeOther"), 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text)));
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

// With the arguments CODE-PAGE KIND XX, as a digest line names a block ("932 bytes 81"),
// the results of that block one per line instead.
int main(int argc, char** argv) {
  if (argc == 4) {
    const int kind = strcmp(argv[2], "units") == 0;
    PrintBlock(static_cast<UINT>(atoi(argv[1])), kind, static_cast<unsigned>(strtoul(argv[3], nullptr, 16)), true);
    return 0;
  }
  ProbeCodePages();
  ProbeAnsiCodePage();
  ProbeServices();
  ProbeRegistry();
  return 0;
}
