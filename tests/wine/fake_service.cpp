// A real Win32 service that stands in for WZCSVC under Wine: it passes through the pending
// states with rising check points, and records each start and stop it receives in the log
// file named by its first argument.
#include <windows.h>

#include <cstdio>

namespace {

SERVICE_STATUS_HANDLE statusHandle = nullptr;
HANDLE stopRequested = nullptr;
const char* logPath = "service.log";

void Record(const char* event) {
  FILE* log = fopen(logPath, "a");
  if (log == nullptr) return;
  fprintf(log, "%s\n", event);
  fclose(log);
}

void Report(DWORD state, DWORD checkPoint, DWORD waitHint) {
  SERVICE_STATUS status = {};
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = state;
  status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
  status.dwCheckPoint = checkPoint;
  status.dwWaitHint = waitHint;
  SetServiceStatus(statusHandle, &status);
}

DWORD WINAPI HandleControl(DWORD control, DWORD, LPVOID, LPVOID) {
  if (control == SERVICE_CONTROL_INTERROGATE) return NO_ERROR;
  if (control != SERVICE_CONTROL_STOP) return ERROR_CALL_NOT_IMPLEMENTED;
  Record("stop");
  Report(SERVICE_STOP_PENDING, 1, 2000);
  SetEvent(stopRequested);
  return NO_ERROR;
}

void WINAPI ServiceMain(DWORD, LPWSTR*) {
  statusHandle = RegisterServiceCtrlHandlerExW(L"WZCSVC", HandleControl, nullptr);
  if (statusHandle == nullptr) return;
  Record("start");
  for (DWORD checkPoint = 1; checkPoint <= 3; ++checkPoint) {
    Report(SERVICE_START_PENDING, checkPoint, 2000);
    Sleep(150);
  }
  Report(SERVICE_RUNNING, 0, 0);
  WaitForSingleObject(stopRequested, INFINITE);
  Report(SERVICE_STOP_PENDING, 2, 2000);
  Sleep(150);
  Report(SERVICE_STOPPED, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) logPath = argv[1];
  stopRequested = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SERVICE_TABLE_ENTRYW services[] = {{const_cast<LPWSTR>(L"WZCSVC"), ServiceMain}, {nullptr, nullptr}};
  return StartServiceCtrlDispatcherW(services) ? 0 : 1;
}
