// -deploy FOLDER: every profile file of the folder added to every selected interface, put in
// the order of FOLDER\ORDER.TXT when it is there, what the interfaces hold listed afterwards,
// whether a -enable of the same run took, what each interface is connected to, and the
// networks each one sees.
#pragma once

#include <string>

#include "text/value_list.h"

// What a deployment did, for its summary.
struct DeployTally {
  int files = 0;
  int interfaces = 0;
  int deployedEverywhere = 0;  // files stored on every selected interface
  int failures = 0;            // error lines the deployment printed
  std::string states;          // each interface's connection, as -status shows it
  std::string networks;        // what the stored profiles of each interface meet in range
};

// Exit codes of a run with -deploy.
enum DeployExit {
  kDeployDone = 0,
  kDeployNoService = 1,
  kDeployBadCommandLine = 2,
  kDeployNoProfiles = 3,
  kDeployFolderUnlisted = 4,
  kDeployIncomplete = 5,
  kDeployNoInterface = 6,
  kDeployNoWifiApi = 7,
};

// The exit code of the deployment; the tally is filled as far as it got. enableFailures is
// what EnableInterfaces returned when -enable ran in this run.
int Deploy(const std::string& folder, const ValueList& limitList, bool enableRan, int enableFailures,
           DeployTally& tally);
// What an exit code of a run means, for the log's last line.
std::string ExitMeaning(int exitCode, bool deployRun);
