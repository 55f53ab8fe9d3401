#include "cli/driver.h"

#include "cli/options.h"
#include "cli/usage.h"
#include "text/print.h"
#include "wlan/actions.h"
#include "wlan/session.h"
#include "wzc/enable.h"
#include "wzc/service.h"

ValueList BuildLimitList(const OptionMap& options) {
  ValueList limitList;
  if (!HasOption(options, "-limit")) return limitList;
  for (int index = 0;; ++index) {
    const std::string value = OptionValue(options, "-limit", index);
    if (value.empty()) break;
    if (!ListContains(limitList, value)) limitList.push_back(value);
  }
  return limitList;
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

static void ReleaseHandles() {
  CloseServiceHandle(WzcServiceHandle);
  CloseWifiApi();
}

int RunTool(int argc, char** argv) {
  OptionMap options;
  if (ParseOptions(options, argc, argv) < 1 || HasOption(options, "-help")) {
    PrintUsage();
    return 0;
  }
  const ValueList limitList = BuildLimitList(options);
  WzcServiceHandle = OpenWzcService();
  if (WzcServiceHandle == nullptr) {
    Print("Unable to access Wireless Zero Configuration service.\n");
    return 1;
  }
  bool actionRan = false;
  if (HasOption(options, "-enable")) {
    actionRan = true;
    EnableInterfaces(limitList);
  }
  if (RunForEachValue(options, "-delete", DeleteAp, limitList)) actionRan = true;
  if (RunForEachValue(options, "-add", AddAp, limitList)) actionRan = true;
  if (HasOption(options, "-nics")) {
    actionRan = true;
    ListNics();
  }
  if (HasOption(options, "-aps")) {
    ListAps(limitList);
  } else if (!actionRan) {
    PrintUsage();
  }
  ReleaseHandles();
  return 0;
}
