#include "wzc/service.h"

SC_HANDLE WzcServiceHandle = nullptr;

// What the tool does with the service: query and start it, stop it and wait for it. Not
// SERVICE_ALL_ACCESS: no pause, interrogate or user-defined controls.
static const DWORD kServiceAccess = STANDARD_RIGHTS_REQUIRED | SERVICE_QUERY_CONFIG | SERVICE_CHANGE_CONFIG |
                                    SERVICE_QUERY_STATUS | SERVICE_ENUMERATE_DEPENDENTS | SERVICE_START | SERVICE_STOP;

SC_HANDLE OpenWzcService() {
  SC_HANDLE manager = OpenSCManagerW(WTEXT(""), WTEXT("ServicesActive"), SC_MANAGER_ALL_ACCESS);
  if (manager == nullptr) return nullptr;
  SC_HANDLE service = OpenServiceW(manager, WTEXT("WZCSVC"), kServiceAccess);
  CloseServiceHandle(manager);  // the service handle stays valid on its own
  if (service == nullptr) return nullptr;
  if (StartServiceW(service, 0, nullptr)) WaitForServiceState(service, SERVICE_START_PENDING, SERVICE_RUNNING);
  return service;
}

int StopService() {
  SERVICE_STATUS status;
  if (!ControlService(WzcServiceHandle, SERVICE_CONTROL_STOP, &status)) return 0;
  return WaitForServiceState(WzcServiceHandle, SERVICE_STOP_PENDING, SERVICE_STOPPED);
}

static bool QueryStatus(SC_HANDLE service, SERVICE_STATUS_PROCESS& status) {
  DWORD bytesNeeded = 0;
  return QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<LPBYTE>(&status), sizeof status,
                              &bytesNeeded) != 0;
}

// One wait ends after this long, whatever the wait hint and the check points say: a
// service that keeps reporting progress, or asks for an endless wait, must not hold the run.
static const DWORD kMaxWait = 120000;

static DWORD PollInterval(DWORD waitHint) {
  const DWORD interval = waitHint / 10;
  if (interval < 1000) return 1000;
  if (interval > 10000) return 10000;
  return interval;
}

int WaitForServiceState(SC_HANDLE service, DWORD pendingState, DWORD wantedState) {
  SERVICE_STATUS_PROCESS status = {};
  if (!QueryStatus(service, status)) return 0;
  const DWORD firstTick = GetTickCount();
  DWORD progressTick = firstTick;
  DWORD elapsed = 0;
  DWORD lastCheckPoint = status.dwCheckPoint;
  while (status.dwCurrentState == pendingState) {
    const DWORD interval = PollInterval(status.dwWaitHint);
    Sleep(interval < kMaxWait - elapsed ? interval : kMaxWait - elapsed);
    SERVICE_STATUS_PROCESS next = {};
    if (!QueryStatus(service, next)) return status.dwCurrentState == wantedState ? 1 : 0;
    status = next;
    const DWORD now = GetTickCount();
    elapsed = now - firstTick;
    if (status.dwCheckPoint > lastCheckPoint) {
      progressTick = now;
      lastCheckPoint = status.dwCheckPoint;
    } else if (static_cast<DWORD>(now - progressTick) > status.dwWaitHint) {
      break;
    }
    if (elapsed >= kMaxWait) break;
  }
  if (status.dwCurrentState == wantedState) return 1;
  const bool timedOut = status.dwCurrentState == pendingState || status.dwWin32ExitCode == 0;
  SetLastError(timedOut ? ERROR_SERVICE_REQUEST_TIMEOUT : status.dwWin32ExitCode);
  return 0;
}
