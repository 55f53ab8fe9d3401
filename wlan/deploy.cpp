#include "wlan/deploy.h"

#include <algorithm>

#include "files/folders.h"
#include "text/ascii_case.h"
#include "wlan/session.h"

static const DWORD kInterfaceWait = 60000;  // ms
static const DWORD kInterfacePoll = 5000;   // ms

// Name order as a folder listing on NTFS gives it: letter case folded, then as they are.
static bool ComesBefore(const WideString& a, const WideString& b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return UpperAscii(a[i]) < UpperAscii(b[i]);
  }
  return a.size() != b.size() ? a.size() < b.size() : a < b;
}

DWORD ListProfileFiles(const WideString& folder, std::vector<WideString>& names) {
  const DWORD error = ListFilesEndingIn(folder, ".xml", names);
  std::sort(names.begin(), names.end(), ComesBefore);
  return error;
}

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
