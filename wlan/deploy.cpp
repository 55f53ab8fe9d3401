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
    if (selected > 0) return selected;
    if (static_cast<DWORD>(GetTickCount() - waitStarted) >= kInterfaceWait) break;
    Sleep(kInterfacePoll);
    started = RestartWifiApi();
  }
  return started == 0 ? 0 : -1;
}
