// The summary of a run with -deploy and -log: LOGFOLDER\COMPUTERNAME.csv, a header and one
// record, which -report joins over a fleet.
#pragma once

#include <string>

#include "cli/deploy.h"
#include "text/value_list.h"

// The names of the summary's columns, in their order: the fleet report's header.
ValueList SummaryColumns();
// Removes the summary an earlier run left, before this run changes anything: a run that can't
// finish (a full disk, a kill, a shutdown) must leave no summary saying how an earlier one
// ended. Deleting needs no room on the disk. Prints why when it can't.
void RemoveSummary(const std::string& logFolder);
// Replaces LOGFOLDER\COMPUTERNAME.csv with the run's summary; prints why when it can't.
void WriteSummary(const std::string& logFolder, int exitCode, const DeployTally& tally);
