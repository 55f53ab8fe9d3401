#include "dryrun/trial.h"

#include <cstdio>

#include "dryrun/notes.h"
#include "platform/standin/api/reset.h"
#include "platform/standin/text/unicode.h"
#include "text/code_page.h"

// The one interface of the machine.
static const GUID kInterface = {0x7E57D00D, 0x0001, 0x4D52, {0x59, 0x52, 0x55, 0x4E, 0x00, 0x00, 0x00, 0x01}};
static const char kInterfaceText[] = "{7E57D00D-0001-4D52-5952-554E00000001}";

// WZCSVC running and one wireless interface without profiles, kept in memory alone: the dry
// run reads and writes no machine file.
static bool UseFreshMachine(UINT codePage) {
  const std::string machine = "{\"format\": \"tessamin-machine/1\", \"codePage\": " + std::to_string(codePage) +
                              ", \"wlan\": {\"interfaces\": [{\"guid\": \"" + kInterfaceText +
                              "\", \"description\": \"Dry-run adapter\"}]}, \"services\": {\"WZCSVC\": "
                              "{\"state\": \"running\"}}}";
  const std::string problem = StandinUseMachine(machine);
  if (!problem.empty())
    fprintf(stderr, "tessamin-dryrun: the stand-in takes no machine of code page %u: %s\n", codePage, problem.c_str());
  return problem.empty();
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
  if (!file.unreadable.empty()) {
    trial.outcome = kUnreadable;
    trial.verdict = "cannot be read: " + file.unreadable;
    return true;
  }
  if (!UseFreshMachine(codePage)) return false;
  DWORD version = 0;
  HANDLE client = nullptr;
  DWORD result = WlanOpenHandle(2, nullptr, &version, &client);
  // As -add does: the file's bytes read in the machine's code page, offered with overwrite.
  const WideString text = ToWide(file.text);
  WLAN_REASON_CODE reason = 0;
  if (result == 0) result = WlanSetProfile(client, &kInterface, 0, text.c_str(), nullptr, TRUE, nullptr, &reason);
  if (result == ERROR_WRITE_FAULT || result == ERROR_INVALID_DATA || client == nullptr) {
    fprintf(stderr, "tessamin-dryrun: the stand-in machine failed with error %u\n", static_cast<unsigned>(result));
    return false;
  }
  if (result == 0) trial.storedName = StoredName(client);
  AddNotes(file, text, reason, result, trial);
  if (result == 0) {
    const std::string bytes = ToAnsi(trial.storedName.c_str(), trial.storedName.size() + 1);
    const std::string stored = "'" + standin::Utf16ToUtf8(trial.storedName) + "'";
    trial.outcome = trial.meantSsid.empty() ? kStored : kStoredUnderAnotherSsid;
    trial.verdict = trial.meantSsid.empty() ? "stored as " + stored
                                            : "stored under another SSID than the file means: as " + stored +
                                                  ", for '" + standin::Utf16ToUtf8(trial.meantSsid) + "'";
    trial.bytes = Hex(bytes);
    trial.plainName = IsPrintableAscii(bytes);
  } else if (reason != 0) {
    WCHAR reasonText[256] = {0};
    WlanReasonCodeToString(reason, 256, reasonText, nullptr);
    trial.verdict = "refused: " + std::to_string(reason) + " (" + standin::Utf16ToUtf8(reasonText) + ")";
  } else {
    trial.verdict = "refused: error " + std::to_string(result) + " (" + ErrorText(result) + ")";
  }
  WlanCloseHandle(client, nullptr);
  return true;
}

std::string CodePagesText(const std::vector<UINT>& codePages) {
  std::vector<std::string> items;
  for (size_t i = 0; i < codePages.size();) {
    size_t end = i + 1;
    while (end < codePages.size() && codePages[end] == codePages[end - 1] + 1) ++end;
    if (end - i >= 3) {
      items.push_back(std::to_string(codePages[i]) + " to " + std::to_string(codePages[end - 1]));
    } else {
      end = i + 1;
      items.push_back(std::to_string(codePages[i]));
    }
    i = end;
  }
  std::string text = codePages.size() == 1 ? "code page " : "code pages ";
  for (size_t i = 0; i < items.size(); ++i) text += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
  return text;
}
