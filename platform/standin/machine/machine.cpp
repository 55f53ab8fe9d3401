#include "platform/standin/machine/machine.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/standin/machine/file_store.h"
#include "platform/standin/text/ascii.h"

namespace standin {

const char kMachineFormat[] = "tessamin-machine/1";
static const int kMaxNesting = 100;

struct MachineState {
  bool loaded = false;
  bool unusable = false;
  bool inMemory = false;  // no file: what drives the stand-in in its own process gave the document
  Json document;
  FileIdentity identity;  // of the file the document was read from or written to
};
static MachineState state;

std::string EnvironmentValue(const char* name) {
  const char* value = getenv(name);
  return value ? value : "";
}

std::string MachinePath() {
  const std::string explicitPath = EnvironmentValue("TESSAMIN_MACHINE");
  if (!explicitPath.empty()) return explicitPath;
  const std::string stateHome = EnvironmentValue("XDG_STATE_HOME");
  if (!stateHome.empty()) return stateHome + "/tessamin/machine.json";
  const std::string home = EnvironmentValue("HOME");
  if (!home.empty()) return home + "/.local/state/tessamin/machine.json";
  return "";  // no state folder: no machine
}

static void ReportUnusable(const std::string& path, const std::string& reason) {
  if (state.unusable) return;
  state.unusable = true;
  fprintf(stderr, "tessamin: machine file '%s' cannot be used: %s\n", path.c_str(), reason.c_str());
}

// Reads the machine file, or gives the default machine when there is none.
static bool ReadMachine(const std::string& path, Json& machine, FileIdentity& identity) {
  std::string content, error;
  identity = FileIdentity();
  const ReadOutcome outcome = ReadFileBytes(path, content, error, identity);
  if (outcome == kReadMissing) {
    machine = DefaultMachine();
    return true;
  }
  if (outcome == kReadFailed) {
    ReportUnusable(path, error);
    return false;
  }
  // Deeper documents are refused as they are parsed: dumping, copying and comparing a
  // document recurse once per level.
  bool tooDeep = false;
  machine = Json::parse(
      content,
      [&tooDeep](int depth, Json::parse_event_t, Json&) {
        if (depth > kMaxNesting) tooDeep = true;
        return !tooDeep;
      },
      false);
  if (tooDeep || machine.is_discarded()) {
    ReportUnusable(path,
                   tooDeep ? "it is nested deeper than " + std::to_string(kMaxNesting) + " levels" : "not valid JSON");
    return false;
  }
  const std::string problem = CheckMachine(machine);
  if (!problem.empty()) {
    ReportUnusable(path, problem);
    return false;
  }
  return true;
}

const Json* Machine() {
  if (!state.loaded) {
    state.loaded = true;
    const std::string path = MachinePath();
    if (path.empty()) {
      state.unusable = true;
      fprintf(stderr, "tessamin: there is no machine: neither TESSAMIN_MACHINE, XDG_STATE_HOME nor HOME is set\n");
    } else if (!ReadMachine(path, state.document, state.identity)) {
      state.document = Json();
    } else if (state.identity.known) {
      ReportMisspeltMembers(path, state.document);
    }
  }
  return state.unusable ? nullptr : &state.document;
}

// Makes the document the newest version of the file; the caller holds the machine lock.
static bool RefreshUnderLock(const std::string& path) {
  const FileIdentity current = IdentityOf(path);
  if (current == state.identity) return true;  // nobody changed the file since this process read or wrote it
  if (!current.known && !state.identity.known && !state.document.is_null()) return true;  // still no file
  Json machine;
  FileIdentity identity;
  if (!ReadMachine(path, machine, identity)) return false;
  state.document = std::move(machine);
  state.identity = identity;
  return true;
}

DWORD ChangeMachine(const std::function<DWORD(Json&)>& change) {
  if (Machine() == nullptr) return ERROR_INVALID_DATA;
  if (state.inMemory) return change(state.document);
  const std::string path = MachinePath();
  if (!CreateParentFolders(path)) return ERROR_WRITE_FAULT;
  FileLock lock;
  if (!AcquireLock(path + ".lock", lock)) return ERROR_WRITE_FAULT;
  DWORD result = ERROR_INVALID_DATA;
  if (RefreshUnderLock(path)) {
    // Changes check before they touch the document, so a refused one leaves it as it was.
    result = change(state.document);
    if (result == 0) {
      std::string text = state.document.dump(2);
      text += '\n';
      if (ReplaceFileAtomically(path, text)) {
        state.identity = IdentityOf(path);
      } else {
        // The change is dropped: later calls see what the file holds, or the default machine
        // when there is no file yet.
        result = ERROR_WRITE_FAULT;
        state.identity = FileIdentity();
        state.document = Json();
        RefreshUnderLock(path);
      }
    }
  }
  ReleaseLock(lock);
  return result;
}

void ForgetMachine() {
  state = MachineState();
}

std::string UseMachineInMemory(Json machine) {
  state = MachineState();
  const std::string problem = CheckMachine(machine);
  if (!problem.empty()) return problem;
  state.loaded = true;
  state.inMemory = true;
  state.document = std::move(machine);
  return "";
}

const Json& MemberOrNull(const Json& object, const char* name) {
  static const Json null;
  if (!object.is_object()) return null;
  const Json::const_iterator member = object.find(name);
  return member == object.end() ? null : *member;
}

// Registry keys differ most in their last part, so the comparison runs from the end.
bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = a.size(); i-- > 0;) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

std::string StoredMemberName(const Json& object, const std::string& name) {
  if (!object.is_object()) return "";
  for (const auto& member : object.items()) {
    if (SameNameIgnoringCase(member.key(), name)) return member.key();
  }
  return "";
}

DWORD NumberMember(const Json& object, const char* name) {
  const Json& member = MemberOrNull(object, name);
  if (member.is_number_unsigned()) return static_cast<DWORD>(member.get<uint64_t>());
  if (member.is_number_integer()) return static_cast<DWORD>(member.get<int64_t>());
  return 0;
}

std::string StringMember(const Json& object, const char* name) {
  const Json& member = MemberOrNull(object, name);
  return member.is_string() ? member.get<std::string>() : std::string();
}

bool ParseGuid(const std::string& text, GUID& guid) {
  static const char kShape[] = "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}";
  if (text.size() != sizeof kShape - 1) return false;
  uint8_t bytes[16];
  int nibble = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (kShape[i] != 'x') {
      if (text[i] != kShape[i]) return false;
      continue;
    }
    const int digit = HexDigitValue(text[i]);
    if (digit < 0) return false;
    if (nibble % 2 == 0) bytes[nibble / 2] = static_cast<uint8_t>(digit << 4);
    else bytes[nibble / 2] |= static_cast<uint8_t>(digit);
    ++nibble;
  }
  guid.Data1 = (uint32_t(bytes[0]) << 24) | (uint32_t(bytes[1]) << 16) | (uint32_t(bytes[2]) << 8) | bytes[3];
  guid.Data2 = static_cast<uint16_t>((bytes[4] << 8) | bytes[5]);
  guid.Data3 = static_cast<uint16_t>((bytes[6] << 8) | bytes[7]);
  memcpy(guid.Data4, bytes + 8, 8);
  return true;
}

std::string CanonicalGuid(const GUID& guid) {
  char text[39];
  snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned>(guid.Data1),
           guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4],
           guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return text;
}

bool SameGuid(const GUID& a, const GUID& b) {
  return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 && memcmp(a.Data4, b.Data4, 8) == 0;
}

static GUID InterfaceGuid(const Json& entry) {
  GUID guid = {};
  ParseGuid(StringMember(entry, "guid"), guid);  // a missing GUID is the all-zero one
  return guid;
}

const Json* FindInterface(const Json& machine, const GUID& guid) {
  const Json& interfaces = MemberOrNull(MemberOrNull(machine, "wlan"), "interfaces");
  if (!interfaces.is_array()) return nullptr;
  for (const Json& entry : interfaces) {
    if (SameGuid(InterfaceGuid(entry), guid)) return &entry;
  }
  return nullptr;
}

Json* FindInterface(Json& machine, const GUID& guid) {
  return const_cast<Json*>(FindInterface(static_cast<const Json&>(machine), guid));
}

UINT AnsiCodePage() {
  const Json* machine = Machine();
  const DWORD codePage = machine ? NumberMember(*machine, "codePage") : 0;
  return codePage == 0 ? 1252 : codePage;  // Windows Latin 1, as on a Western XP
}

bool ParseLocalTime(const std::string& text, int& year, int& month, int& day, int& hour, int& minute, int& second) {
  static const char kShape[] = "dddd-dd-ddTdd:dd:dd";
  if (text.size() != sizeof kShape - 1) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (kShape[i] == 'd' ? !(text[i] >= '0' && text[i] <= '9') : text[i] != kShape[i]) return false;
  }
  if (sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d", &year, &month, &day, &hour, &minute, &second) != 6) return false;
  static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return year >= 1601 && month >= 1 && month <= 12 && day >= 1 && day <= kDays[month - 1] && hour < 24 && minute < 60 &&
         second < 60;
}

}  // namespace standin
