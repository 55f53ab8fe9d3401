// The one-line summary of a deployment that report.cmd joins over a fleet, and the meaning of
// each exit code.
#include "cli/deploy.h"
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

// A field as RFC 4180 writes it: quoted, its quotes doubled, when it holds a comma, a quote
// or a line end.
static std::string CsvField(const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = "\"";
  for (char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

void WriteSummary(const std::string& logFolder, int exitCode, const DeployTally& tally) {
  const std::string fields[] = {ComputerName(),
                                LocalTimeText(),
                                std::to_string(exitCode),
                                std::to_string(tally.files),
                                std::to_string(tally.interfaces),
                                std::to_string(tally.deployedEverywhere),
                                std::to_string(tally.failures),
                                TESSAMIN_VERSION,
                                tally.states};
  std::string line;
  for (const std::string& field : fields) line += (line.empty() ? "" : ",") + CsvField(field);
  const std::string text =
      "computer,time,exit code,files,interfaces,deployed everywhere,failures,version,states\r\n" + line + "\r\n";
  const WideString folder = ToWide(logFolder);
  const WideString path = JoinPath(folder, ToWide(ComputerName() + ".csv"));
  DWORD error = MakeFolders(folder);
  if (error == ERROR_SUCCESS) error = ReplaceFileWhole(path, text, kAnyoneMayRead);
  if (error != ERROR_SUCCESS) PrintError(error, "write the summary '" + ToAnsi(path.c_str(), path.size()) + "'");
}
