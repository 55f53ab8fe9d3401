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

static bool IsProfileFile(const WIN32_FIND_DATAW& found) {
  if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  WideString name(found.cFileName);
  if (name.size() < 4) return false;
  const WCHAR* end = name.c_str() + name.size() - 4;
  return end[0] == '.' && UpperAscii(end[1]) == 'X' && UpperAscii(end[2]) == 'M' && UpperAscii(end[3]) == 'L';
}

DWORD ListProfileFiles(const WideString& folder, std::vector<WideString>& names) {
  names.clear();
  const WideString pattern = JoinPath(folder, WTEXT("*"));
  WIN32_FIND_DATAW found;
  const HANDLE listing = FindFirstFileW(pattern.c_str(), &found);
  if (listing == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;  // an empty folder
  }
  do {
    if (IsProfileFile(found)) names.push_back(found.cFileName);
  } while (FindNextFileW(listing, &found));
  const DWORD error = GetLastError();
  FindClose(listing);
  if (error != ERROR_NO_MORE_FILES) return error;
  std::sort(names.begin(), names.end(), ComesBefore);
  return ERROR_SUCCESS;
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
