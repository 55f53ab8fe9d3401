// -export FOLDER: every stored profile of every selected interface written to a file of its
// own, which -add stores again, and FOLDER\ORDER.TXT with their order of preference; an
// export that writes no profile file leaves an ORDER.TXT already there as it was.
#include <vector>

#include "files/folders.h"
#include "files/replace_file.h"
#include "text/code_page.h"
#include "text/print.h"
#include "wlan/actions.h"
#include "wlan/export_name.h"
#include "wlan/export_text.h"
#include "wlan/order_file.h"
#include "wlan/profile_list.h"
#include "wlan/session.h"

namespace {

struct ExportedFile {
  WideString profileName;
  WideString profileText;
  WideString fileName;
};

// What one run of -export has written so far.
struct ExportRun {
  WideString folder;
  std::vector<ExportedFile> files;
  std::vector<WideString> foldedFileNames;  // as Windows compares file names
  AnsiCharacters known;
  bool orderChosen = false;  // the first selected interface holding profiles gives the order
  std::vector<WideString> orderNames;
};

std::string Shown(const WideString& text) {
  return NameForLine(ToAnsi(text.c_str(), text.size()));
}

// Letter case ignored, as the file system compares names.
WideString Folded(const WideString& name) {
  WideString upper(name.size(), 0);
  if (name.empty() || LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, name.c_str(), static_cast<int>(name.size()),
                                   &upper[0], static_cast<int>(upper.size())) != static_cast<int>(name.size()))
    return name;
  return upper;
}

bool IsTaken(const ExportRun& run, const WideString& fileName) {
  const WideString folded = Folded(fileName);
  for (const WideString& taken : run.foldedFileNames)
    if (taken == folded) return true;
  return false;
}

// NAME.xml, or NAME (2).xml, NAME (3).xml, ... when another profile has that file already.
WideString FreeFileName(const ExportRun& run, const WideString& profileName, AnsiCharacters& known) {
  const WideString base = SafeFileBase(profileName, known);
  WideString fileName = base + WTEXT(".xml");
  for (int number = 2; IsTaken(run, fileName); ++number)
    fileName = base + ToWide(" (" + std::to_string(number) + ").xml");
  return fileName;
}

// 0 with the file the profile went to, or why it could not be exported.
DWORD ExportProfile(ExportRun& run, const GUID& guid, const WideString& profileName, WideString& fileName) {
  LPWSTR xml = nullptr;
  const DWORD error =
      WlanGetProfile(wlanSession.clientHandle, &guid, profileName.c_str(), nullptr, &xml, nullptr, nullptr);
  if (error != ERROR_SUCCESS) return error;
  const WideString text = xml ? WideString(xml) : WideString();
  if (xml != nullptr) WlanFreeMemory(xml);
  for (const ExportedFile& file : run.files) {
    if (file.profileName != profileName || file.profileText != text) continue;
    fileName = file.fileName;  // another interface holds the same profile: one file for both
    return ERROR_SUCCESS;
  }
  std::string bytes;
  if (!ExportFileText(text, run.known, bytes)) return ERROR_NO_UNICODE_TRANSLATION;
  fileName = FreeFileName(run, profileName, run.known);
  const DWORD written = ReplaceFileWhole(JoinPath(run.folder, fileName), bytes, kAdministratorsOnly);
  if (written != ERROR_SUCCESS) return written;
  run.files.push_back(ExportedFile{profileName, text, fileName});
  run.foldedFileNames.push_back(Folded(fileName));
  return ERROR_SUCCESS;
}

void ExportInterface(ExportRun& run, const WLAN_INTERFACE_INFO& entry, const std::string& guidText) {
  PWLAN_PROFILE_INFO_LIST profiles = FetchProfileList(&entry.InterfaceGuid, guidText);
  if (profiles == nullptr) return;
  const bool givesOrder = !run.orderChosen && profiles->dwNumberOfItems > 0;
  run.orderChosen = run.orderChosen || givesOrder;
  for (DWORD p = 0; p < profiles->dwNumberOfItems; ++p) {
    const WideString name = StoredProfileName(profiles->ProfileInfo[p]);
    WideString fileName;
    const DWORD error = ExportProfile(run, entry.InterfaceGuid, name, fileName);
    if (error == ERROR_SUCCESS) {
      if (givesOrder) run.orderNames.push_back(name);
      Print(" - Exported AP '" + Shown(name) + "' from interface '" + guidText + "' to '" +
            Shown(JoinPath(run.folder, fileName)) + "'.\n");
    } else {
      PrintError(error, "export AP '" + Shown(name) + "' from interface '" + guidText + "'");
    }
  }
  WlanFreeMemory(profiles);
}

void WriteOrderFile(const ExportRun& run) {
  const WideString path = JoinPath(run.folder, ToWide(kOrderFileName));
  std::vector<WideString> unlisted;
  const std::string text = OrderFileText(run.orderNames, unlisted);
  for (const WideString& name : unlisted)
    Print(" - Error: Unable to list AP '" + Shown(name) + "' in '" + Shown(path) + "'.\n");
  const DWORD error = ReplaceFileWhole(path, text, kAnyoneMayRead);
  if (error != ERROR_SUCCESS) PrintError(error, "write '" + Shown(path) + "'");
}

}  // namespace

int ExportAps(std::string folder, ValueList limitList) {
  if (!WifiApiReady()) return -1;
  ExportRun run;
  run.folder = ToWide(folder);
  const DWORD made = MakeFolders(run.folder);
  if (made != ERROR_SUCCESS) {
    PrintError(made, "make the folder '" + folder + "'");
    return 0;
  }
  ForEachSelectedInterface(limitList, [&](const WLAN_INTERFACE_INFO& entry, const std::string& guidText) {
    ExportInterface(run, entry, guidText);
  });
  if (!run.files.empty()) WriteOrderFile(run);
  return 0;
}
