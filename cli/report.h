// -report LOGFOLDER [FLEETLIST]: the summaries that -deploy -log leaves in a log folder, one
// per machine, joined into one file of that folder for a spreadsheet, with a row for each
// machine of the fleet's list that left none.
#pragma once

#include <string>

// Exit codes of a run with -report.
enum ReportExit {
  kReportWritten = 0,
  kReportBadCommandLine = 2,
  kReportFailed = 4,  // the folder or the fleet's list can't be read, or the report written
};

// The report's name in the log folder: longer than a computer's name can be (15 characters),
// so that no machine's summary has it.
extern const char kFleetReportName[];

// Joins the summaries and prints how many machines there are of each exit code; fleetList ""
// for none. The exit code.
int ReportFleet(const std::string& logFolder, const std::string& fleetList);
