#include "cli/deploy.h"

#include "files/folders.h"
#include "text/code_page.h"
#include "text/print.h"
#include "wlan/actions.h"
#include "wlan/deploy.h"
#include "wlan/networks.h"
#include "wlan/order.h"
#include "wlan/order_file.h"
#include "wlan/profile_file.h"
#include "wlan/session.h"
#include "wlan/status.h"
#include "wzc/enable_check.h"

// Adds each file as -add adds it, counting the files stored on every selected interface and
// each store that failed.
static void AddFiles(const WideString& wideFolder, const std::vector<WideString>& names, const ValueList& limitList,
                     DeployTally& tally) {
  for (const WideString& name : names) {
    std::string profileText;
    const WideString path = JoinPath(wideFolder, name);
    ReadProfileFile(path, profileText);  // an unreadable file is offered as the empty text
    const std::string shownPath = ToAnsi(path.c_str(), path.size());
    const int stored = OfferProfile(shownPath, ToWide(profileText), limitList);
    if (stored == tally.interfaces) ++tally.deployedEverywhere;
    tally.failures += tally.interfaces - stored;
  }
}

// The order of FOLDER\ORDER.TXT, when it is there; the number of failures.
static int ApplyOrderFile(const WideString& wideFolder, const ValueList& limitList) {
  ValueList names;
  const WideString path = JoinPath(wideFolder, ToWide(kOrderFileName));
  const DWORD error = ReadOrderFile(path, names);
  if (error == ERROR_FILE_NOT_FOUND) return 0;
  if (error == ERROR_SUCCESS) return MoveProfiles(names, limitList);
  PrintError(error, "read '" + ToAnsi(path.c_str(), path.size()) + "'");
  return 1;
}

// Each -limit GUID that names no interface of the machine; their number.
static int ReportUnlistedInterfaces(const ValueList& limitList) {
  const ValueList unlisted = UnlistedInterfaces(limitList);
  for (const std::string& guidText : unlisted)
    Print(" - Error: No wireless interface '" + NameForLine(guidText) + "' after waiting.\n");
  return static_cast<int>(unlisted.size());
}

// Whether the interfaces will use the profiles: with -enable, whether it took; without it,
// whether Windows manages each interface. The number of failures.
static int ReportManagementFailures(const ValueList& limitList, bool enableRan, int enableFailures) {
  if (enableRan) return (enableFailures < 0 ? 1 : enableFailures) + ReportEnableFailures(limitList);
  return wlanSession.interfacesLoaded ? ReportUnmanagedInterfaces(limitList) : 0;
}

int Deploy(const std::string& folder, const ValueList& limitList, bool enableRan, int enableFailures,
           DeployTally& tally) {
  const WideString wideFolder = ToWide(folder);
  std::vector<WideString> names;
  int exitCode = kDeployDone;
  const DWORD listError = ListProfileFiles(wideFolder, names);
  tally.files = static_cast<int>(names.size());
  if (listError != ERROR_SUCCESS) {
    tally.failures = 1;
    PrintError(listError, "list the profile folder '" + folder + "'");
    exitCode = kDeployFolderUnlisted;
  } else if (names.empty()) {
    tally.failures = 1;
    Print(" - Error: No profile file (.xml) in the profile folder '" + folder + "'.\n");
    exitCode = kDeployNoProfiles;
  } else {
    const int interfaces = AwaitSelectedInterfaces(limitList);
    if (interfaces <= 0) {
      tally.failures = 1;
      Print(interfaces < 0 ? " - Error starting Wifi API\n" : " - Error: No wireless interface after waiting.\n");
      exitCode = interfaces < 0 ? kDeployNoWifiApi : kDeployNoInterface;
    } else {
      tally.interfaces = interfaces;
      tally.failures = ReportUnlistedInterfaces(limitList);
      AddFiles(wideFolder, names, limitList, tally);
      const int orderFailures = ApplyOrderFile(wideFolder, limitList);
      tally.failures += orderFailures;
      ListAps(limitList);
      if (tally.deployedEverywhere < tally.files || tally.failures > 0) exitCode = kDeployIncomplete;
    }
  }
  const int managementFailures = ReportManagementFailures(limitList, enableRan, enableFailures);
  tally.failures += managementFailures;
  if (managementFailures > 0 && exitCode == kDeployDone) exitCode = kDeployIncomplete;
  if (tally.interfaces > 0) {
    tally.states = PrintConnections(limitList);
    tally.networks = PrintNetworks(limitList);
  }
  return exitCode;
}
