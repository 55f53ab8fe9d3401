#include "wlan/deploy.h"

#include "wlan/session.h"

static const DWORD kInterfaceWait = 60000;  // ms
static const DWORD kInterfacePoll = 5000;   // ms

static int SelectedInterfaceCount(const ValueList& limitList) {
  int count = 0;
  ForEachSelectedInterface(limitList, [&](const WLAN_INTERFACE_INFO&, const std::string&) { ++count; });
  return count;
}

int AwaitSelectedInterfaces(const ValueList& limitList) {
  int started = RestartWifiApi();
  const DWORD waitStarted = GetTickCount();
  for (;;) {
    const int selected = started == 0 ? SelectedInterfaceCount(limitList) : 0;
    const bool allListed = selected > 0 && (limitList.empty() || static_cast<size_t>(selected) == limitList.size());
    if (allListed || static_cast<DWORD>(GetTickCount() - waitStarted) >= kInterfaceWait)
      return started == 0 ? selected : -1;
    Sleep(kInterfacePoll);
    started = RestartWifiApi();
  }
}

ValueList UnlistedInterfaces(const ValueList& limitList) {
  ValueList unlisted;
  for (const std::string& guidText : limitList)
    if (SelectedInterfaceCount(ValueList{guidText}) == 0) unlisted.push_back(guidText);
  return unlisted;
}
