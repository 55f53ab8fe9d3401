#include "cli/driver.h"

#include "cli/deploy.h"
#include "cli/options.h"
#include "cli/report.h"
#include "cli/run_log.h"
#include "cli/summary.h"
#include "cli/usage.h"
#include "text/print.h"
#include "wlan/actions.h"
#include "wlan/networks.h"
#include "wlan/session.h"
#include "wzc/enable.h"
#include "wzc/service.h"

// The option's distinct values in the order they first appear, up to the first empty one.
static ValueList Values(const OptionMap& options, const char* name) {
  ValueList values;
  if (!HasOption(options, name)) return values;
  for (int index = 0;; ++index) {
    const std::string value = OptionValue(options, name, index);
    if (value.empty()) break;
    if (!ListContains(values, value)) values.push_back(value);
  }
  return values;
}

ValueList BuildLimitList(const OptionMap& options) {
  return Values(options, "-limit");
}

bool RunForEachValue(const OptionMap& options, const char* name, int (*action)(std::string, ValueList),
                     const ValueList& limitList) {
  if (!HasOption(options, name)) return false;
  std::string value = OptionValue(options, name, 0);
  if (value.empty()) return false;
  for (int index = 1; !value.empty(); ++index) {
    action(value, limitList);
    value = OptionValue(options, name, index);
  }
  return true;
}

// The one folder an option names, or "" when it names none or more than one. A closing quote
// that a trailing backslash escaped ("C:\logs\" arrives as C:\logs") is no part of it.
static std::string FolderValue(const OptionMap& options, const char* name) {
  const OptionMap::const_iterator entry = options.find(name);
  if (entry == options.end() || entry->second.size() != 1) return "";
  std::string folder = entry->second[0];
  if (!folder.empty() && folder.back() == '"') folder.pop_back();
  return folder;
}

// With -deploy, a -limit must name interfaces: an empty value (an unset variable in a script)
// must not widen the rollout to every interface.
static bool DeployCommandLineIsSound(const OptionMap& options) {
  if (FolderValue(options, "-deploy").empty()) return false;
  if (HasOption(options, "-log") && FolderValue(options, "-log").empty()) return false;
  const OptionMap::const_iterator limit = options.find("-limit");
  if (limit == options.end()) return true;
  if (limit->second.empty()) return false;
  for (const std::string& value : limit->second) {
    if (value.empty()) return false;
  }
  return true;
}

// The exit code of a run whose -connect left an interface that holds the name unconnected,
// unless the run has a code of its own.
static const int kConnectFailed = 5;

// -report's log folder and the fleet's list ("" for none): one or two values, none empty.
static bool ReportValues(const OptionMap& options, std::string& folder, std::string& fleetList) {
  const ValueList& values = options.find("-report")->second;
  if (values.empty() || values.size() > 2 || values.back().empty()) return false;
  folder = values.size() == 1 ? FolderValue(options, "-report") : values[0];
  fleetList = values.size() == 2 ? values[1] : "";
  return !folder.empty();
}

// A run whose only action is -report needs no WZCSVC: an administrator's workstation running a
// later Windows has none.
static bool OnlyReport(const OptionMap& options) {
  for (const OptionMap::value_type& entry : options)
    if (entry.first != "-report" && entry.first != "-log") return false;
  return true;
}

static void ReleaseHandles() {
  CloseServiceHandle(WzcServiceHandle);
  CloseWifiApi();
}

// Everything after the usage checks: the service, the actions in their fixed order, the
// usage screen when none was asked for (-report, which runs after them, is one). The exit code.
static int RunActions(const OptionMap& options, bool reportAsked, DeployTally& tally) {
  const ValueList limitList = BuildLimitList(options);
  WzcServiceHandle = OpenWzcService();
  if (WzcServiceHandle == nullptr) {
    Print("Unable to access Wireless Zero Configuration service.\n");
    return 1;
  }
  const bool enable = HasOption(options, "-enable");
  const int enableFailures = enable ? EnableInterfaces(limitList) : 0;
  bool actionRan = reportAsked || enable;
  if (RunForEachValue(options, "-delete", DeleteAp, limitList)) actionRan = true;
  if (RunForEachValue(options, "-add", AddAp, limitList)) actionRan = true;
  int exitCode = 0;
  if (HasOption(options, "-deploy")) {
    actionRan = true;
    exitCode = Deploy(FolderValue(options, "-deploy"), limitList, enable, enableFailures, tally);
  }
  if (HasOption(options, "-log")) actionRan = true;
  const ValueList orderNames = Values(options, "-order");
  if (!orderNames.empty()) {
    actionRan = true;
    OrderAps(orderNames, limitList);
  }
  if (HasOption(options, "-export")) {
    actionRan = true;
    const std::string folder = FolderValue(options, "-export");
    if (folder.empty()) Print(" - Error: -export takes one folder.\n");
    else ExportAps(folder, limitList);
  }
  if (HasOption(options, "-connect")) {
    actionRan = true;
    const ValueList names = Values(options, "-connect");
    if (names.size() != 1) Print(" - Error: -connect takes one AP name.\n");
    if ((names.size() != 1 || !ConnectAp(names[0], limitList)) && exitCode == 0) exitCode = kConnectFailed;
  }
  if (HasOption(options, "-nics")) {
    actionRan = true;
    ListNics();
  }
  const bool aps = HasOption(options, "-aps"), status = HasOption(options, "-status");
  if (aps) ListAps(limitList);
  if (HasOption(options, "-networks")) {
    actionRan = true;
    ListNetworks(limitList);
  }
  if (status) ListStatus(limitList);
  if (!aps && !status && !actionRan) PrintUsage();
  ReleaseHandles();
  return exitCode;
}

int RunTool(int argc, char** argv) {
  OptionMap options;
  if (ParseOptions(options, argc, argv) < 1 || HasOption(options, "-help")) {
    PrintUsage();
    return 0;
  }
  if (HasOption(options, "--version")) {
    Print("tessamin " TESSAMIN_VERSION "\n");
    return 0;
  }
  const bool deploy = HasOption(options, "-deploy");
  if (deploy && !DeployCommandLineIsSound(options)) {
    Print(" - Error: -deploy and -log take one folder each, and -limit at least one GUID.\n");
    return kDeployBadCommandLine;
  }
  const bool report = HasOption(options, "-report");
  std::string reportFolder, fleetList;
  if (report && !ReportValues(options, reportFolder, fleetList)) {
    Print(" - Error: -report takes a log folder and, after it, a list of the fleet's computers if you have one.\n");
    return kReportBadCommandLine;
  }
  const std::string logFolder = FolderValue(options, "-log");
  if (HasOption(options, "-log") && logFolder.empty()) Print(" - Error: -log takes one folder.\n");
  if (!logFolder.empty()) OpenRunLog(logFolder);
  if (deploy && !logFolder.empty()) RemoveSummary(logFolder);
  DeployTally tally;
  int exitCode = OnlyReport(options) ? 0 : RunActions(options, report, tally);
  if (deploy && !logFolder.empty()) WriteSummary(logFolder, exitCode, tally);
  if (report && exitCode != kDeployNoService) {
    const int reportCode = ReportFleet(reportFolder, fleetList);
    if (exitCode == 0) exitCode = reportCode;
  }
  if (!logFolder.empty()) CloseRunLog(exitCode, ExitMeaning(exitCode, deploy));
  return exitCode;
}
