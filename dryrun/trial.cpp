#include "dryrun/trial.h"

#include <limits.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "dryrun/notes.h"
#include "platform/standin/api/reset.h"
#include "platform/standin/text/unicode.h"
#include "text/code_page.h"
#include "wlan/profile_file.h"

// The one interface of the machine.
static const GUID kInterface = {0x7E57D00D, 0x0001, 0x4D52, {0x59, 0x52, 0x55, 0x4E, 0x00, 0x00, 0x00, 0x01}};
static const char kInterfaceText[] = "{7E57D00D-0001-4D52-5952-554E00000001}";

// Paths of the machine's folder and of each file the stand-in may make there, kept where a
// signal handler can reach them.
static char folder[PATH_MAX];
static char machinePath[PATH_MAX + 16];
static char machineFiles[3][PATH_MAX + 32];

ProfileFile ReadTrialFile(const std::string& path) {
  ProfileFile file;
  file.path = path;
  struct stat info;
  // What is not a plain file is offered as the empty text, as -add offers /dev/null, and not
  // read at all: -add would wait on a FIFO.
  if (stat(path.c_str(), &info) != 0) file.unreadable = strerror(errno);
  else if (S_ISDIR(info.st_mode)) file.unreadable = "it is a folder";
  else if (!S_ISREG(info.st_mode)) file.unreadable = "it is not a plain file";
  else if ((errno = 0, LoadProfileXml(path, file.text)) != 0) file.unreadable = strerror(errno ? errno : EIO);
  if (!file.unreadable.empty()) return file;
  if (FILE* stream = fopen(path.c_str(), "rb")) {
    char head[4];
    file.head.assign(head, fread(head, 1, sizeof head, stream));
    fclose(stream);
  }
  return file;
}

static void RemoveMachineFolder() {
  for (const char* path : machineFiles) unlink(path);
  rmdir(folder);
}

static void EndOnSignal(int number) {
  RemoveMachineFolder();
  signal(number, SIG_DFL);
  raise(number);
}

bool StartTrials() {
  const char* base = getenv("TMPDIR");
  snprintf(folder, sizeof folder, "%s/tessamin-dryrun-XXXXXX", base && *base ? base : "/tmp");
  if (mkdtemp(folder) == nullptr) {
    fprintf(stderr, "tessamin-dryrun: no folder for the machine can be made in '%s': %s\n",
            base && *base ? base : "/tmp", strerror(errno));
    return false;
  }
  snprintf(machinePath, sizeof machinePath, "%s/machine.json", folder);
  const char* suffixes[] = {"", ".lock", ".tmp"};
  for (int i = 0; i < 3; ++i) snprintf(machineFiles[i], sizeof machineFiles[i], "%s%s", machinePath, suffixes[i]);
  for (int number : {SIGHUP, SIGINT, SIGPIPE, SIGTERM}) signal(number, EndOnSignal);
  // The stand-in reads its machine from here, never from the user's.
  setenv("TESSAMIN_MACHINE", machinePath, 1);
  return true;
}

void EndTrials() {
  RemoveMachineFolder();
}

// WZCSVC running and one wireless interface without profiles.
static bool WriteFreshMachine(UINT codePage) {
  FILE* file = fopen(machinePath, "wb");
  if (file == nullptr) return false;
  const int written = fprintf(file,
                              "{\"format\": \"tessamin-machine/1\", \"codePage\": %u, \"wlan\": {\"interfaces\": "
                              "[{\"guid\": \"%s\", \"description\": \"Dry-run adapter\"}]}, \"services\": "
                              "{\"WZCSVC\": {\"state\": \"running\"}}}\n",
                              codePage, kInterfaceText);
  return fclose(file) == 0 && written > 0;
}

static std::string Hex(const std::string& bytes) {
  std::string hex;
  for (unsigned char byte : bytes) {
    char pair[4];
    snprintf(pair, sizeof pair, hex.empty() ? "%02X" : " %02X", byte);
    hex += pair;
  }
  return hex;
}

static bool IsPrintableAscii(const std::string& bytes) {
  for (unsigned char byte : bytes)
    if (byte < 0x20 || byte > 0x7E) return false;
  return true;
}

// The text of a refusal that comes without a reason code.
static const char* ErrorText(DWORD error) {
  return error == ERROR_INVALID_PARAMETER ? "The parameter is incorrect." : "The call failed.";
}

static std::u16string StoredName(HANDLE client) {
  PWLAN_PROFILE_INFO_LIST list = nullptr;
  if (WlanGetProfileList(client, &kInterface, nullptr, &list) != 0) return u"";
  const std::u16string name = list->dwNumberOfItems == 1 ? list->ProfileInfo[0].strProfileName : u"";
  WlanFreeMemory(list);
  return name;
}

bool TryProfile(const ProfileFile& file, UINT codePage, Trial& trial) {
  trial = Trial();
  trial.codePage = codePage;
  if (!WriteFreshMachine(codePage)) {
    fprintf(stderr, "tessamin-dryrun: the machine file '%s' can't be written: %s\n", machinePath, strerror(errno));
    return false;
  }
  StandinReset();
  DWORD version = 0;
  HANDLE client = nullptr;
  DWORD result = WlanOpenHandle(2, nullptr, &version, &client);
  // As -add does: the file's bytes read in the machine's code page, offered with overwrite.
  const WideString text = ToWide(file.text);
  WLAN_REASON_CODE reason = 0;
  if (result == 0) result = WlanSetProfile(client, &kInterface, 0, text.c_str(), nullptr, TRUE, nullptr, &reason);
  if (result == ERROR_WRITE_FAULT || result == ERROR_INVALID_DATA || client == nullptr) {
    fprintf(stderr, "tessamin-dryrun: the stand-in machine in '%s' failed with error %u\n", folder,
            static_cast<unsigned>(result));
    return false;
  }
  std::u16string name;
  if (result == 0) {
    name = StoredName(client);
    const std::string bytes = ToAnsi(name.c_str(), name.size() + 1);
    trial.stored = true;
    trial.verdict = "stored as '" + standin::Utf16ToUtf8(name) + "'";
    if (!IsPrintableAscii(bytes)) trial.bytes = Hex(bytes);
  } else if (reason != 0) {
    WCHAR reasonText[256] = {0};
    WlanReasonCodeToString(reason, 256, reasonText, nullptr);
    trial.verdict = "refused: " + std::to_string(reason) + " (" + standin::Utf16ToUtf8(reasonText) + ")";
  } else {
    trial.verdict = "refused: error " + std::to_string(result) + " (" + ErrorText(result) + ")";
  }
  trial.notes = Notes(file, text, codePage, reason, result, name);
  WlanCloseHandle(client, nullptr);
  return true;
}
