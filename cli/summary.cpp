// The one-line summary of a deployment that -report joins over a fleet, and the meaning of
// each exit code.
#include "cli/summary.h"

#include "cli/csv.h"
#include "cli/run_log.h"
#include "files/folders.h"
#include "files/replace_file.h"
#include "text/code_page.h"
#include "text/print.h"

std::string ExitMeaning(int exitCode, bool deployRun) {
  if (exitCode == kDeployNoService) return "the Wireless Zero Configuration service (WZCSVC) could not be opened";
  if (!deployRun) return exitCode == 0 ? "done" : "failed";
  switch (exitCode) {
    case kDeployDone: return "every profile file deployed on every selected interface";
    case kDeployBadCommandLine: return "-deploy and -log take one folder each, -limit at least one GUID";
    case kDeployNoProfiles: return "no profile file in the profile folder";
    case kDeployFolderUnlisted: return "the profile folder could not be listed";
    case kDeployIncomplete:
      return "a profile file not deployed on some interface, the order of ORDER.TXT not set, -enable did not take, "
             "an interface not managed by Windows, or a -limit GUID not on this machine";
    case kDeployNoInterface: return "no wireless interface after waiting";
    case kDeployNoWifiApi:
      return "the Wireless LAN API could not be started (its update missing, or WZCSVC not answering)";
    default: return "failed";
  }
}

namespace {

struct RunRecord {
  std::string computer;
  std::string time;
  int exitCode;
  const DeployTally& tally;
};

struct Column {
  const char* name;
  std::string (*field)(const RunRecord&);
};

// One line per column, in their order; -report's header comes from here too. The counts are
// never negative, so no number the tool writes is taken for a formula.
const Column kColumns[] = {
    {"computer", [](const RunRecord& run) { return run.computer; }},
    {"time", [](const RunRecord& run) { return run.time; }},
    {"exit code", [](const RunRecord& run) { return std::to_string(run.exitCode); }},
    {"files", [](const RunRecord& run) { return std::to_string(run.tally.files); }},
    {"interfaces", [](const RunRecord& run) { return std::to_string(run.tally.interfaces); }},
    {"deployed everywhere", [](const RunRecord& run) { return std::to_string(run.tally.deployedEverywhere); }},
    {"failures", [](const RunRecord& run) { return std::to_string(run.tally.failures); }},
    {"version", [](const RunRecord&) { return std::string(TESSAMIN_VERSION); }},
    {"states", [](const RunRecord& run) { return run.tally.states; }},
    {"networks", [](const RunRecord& run) { return run.tally.networks; }},
};

WideString SummaryPath(const std::string& logFolder) {
  return JoinPath(ToWide(logFolder), ToWide(ComputerName() + ".csv"));
}

std::string Shown(const WideString& path) {
  return ToAnsi(path.c_str(), path.size());
}

}  // namespace

ValueList SummaryColumns() {
  ValueList names;
  for (const Column& column : kColumns) names.push_back(column.name);
  return names;
}

void RemoveSummary(const std::string& logFolder) {
  const WideString path = SummaryPath(logFolder);
  if (DeleteFileW(path.c_str())) return;
  const DWORD error = GetLastError();
  if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
    PrintError(error, "remove the summary '" + Shown(path) + "' of an earlier run");
}

void WriteSummary(const std::string& logFolder, int exitCode, const DeployTally& tally) {
  const RunRecord run = {ComputerName(), LocalTimeText(), exitCode, tally};
  ValueList fields;
  for (const Column& column : kColumns) fields.push_back(column.field(run));
  const std::string text = CsvRecord(SummaryColumns()) + CsvRecord(fields);
  const WideString path = SummaryPath(logFolder);
  DWORD error = MakeFolders(ToWide(logFolder));
  if (error == ERROR_SUCCESS) error = ReplaceFileWhole(path, text, kAnyoneMayRead);
  if (error != ERROR_SUCCESS) PrintError(error, "write the summary '" + Shown(path) + "'");
}
