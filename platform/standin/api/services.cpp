// advapi32: the service control manager over the machine's "services".
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "platform/platform.h"
#include "platform/standin/api/reset.h"
#include "platform/standin/api/wzc_state.h"
#include "platform/standin/machine/machine.h"
#include "platform/standin/machine/trace.h"
#include "platform/standin/text/unicode.h"

struct SC_HANDLE__ {
  bool manager;
  std::string serviceName;
  DWORD access;
};

namespace standin {

// One status query during a pending state: the values it reports, or the error it fails with.
struct Reading {
  DWORD checkPoint = 0;
  DWORD waitHint = 0;
  DWORD queryError = 0;
};

// What a service reports after an accepted start or stop, until its readings run out.
struct PendingState {
  DWORD state = 0;
  Json readings;  // the machine's startPending or stopPending
  DWORD taken = 0;
};

static std::set<SC_HANDLE> liveHandles;
static std::map<std::string, PendingState> pendingStates;

void ResetServices() {
  for (SC_HANDLE handle : liveHandles) delete handle;
  liveHandles.clear();
  pendingStates.clear();
}

// The name as the machine file spells it (the service control manager ignores letter case);
// empty when there is no such service.
static std::string StoredServiceName(const Json& machine, const std::string& name) {
  return StoredMemberName(MemberOrNull(machine, "services"), name);
}

// The service's entry by the name the machine file spells it with.
static const Json& ServiceEntry(const Json& machine, const std::string& storedName) {
  return MemberOrNull(MemberOrNull(machine, "services"), storedName.c_str());
}

// The reading of the index-th status query after the start or stop; false after the last.
static bool ReadingAt(const Json& pending, DWORD index, Reading& reading) {
  reading = Reading();
  if (pending.is_array()) {
    if (index >= pending.size()) return false;
    reading.checkPoint = NumberMember(pending[index], "checkPoint");
    reading.waitHint = NumberMember(pending[index], "waitHint");
    reading.queryError = NumberMember(pending[index], "queryError");
    return true;
  }
  if (index >= NumberMember(pending, "queries")) return false;
  reading.checkPoint = (index + 1) * NumberMember(pending, "checkPointStep");
  reading.waitHint = NumberMember(pending, "waitHint");
  return true;
}

static bool IsRunning(const Json& service) {
  return StringMember(service, "state") == "running";
}

// Native Wifi works only while WZCSVC runs: it is recorded running, and a start made in this
// run has been reported running (no start reading remains).
bool WzcServiceRunning() {
  const Json* machine = Machine();
  if (machine == nullptr) return false;
  const std::string name = StoredServiceName(*machine, "WZCSVC");
  if (name.empty() || !IsRunning(ServiceEntry(*machine, name))) return false;
  const auto pending = pendingStates.find(name);
  Reading reading;
  return pending == pendingStates.end() || pending->second.state != SERVICE_START_PENDING ||
         !ReadingAt(pending->second.readings, pending->second.taken, reading);
}

static BOOL FailWith(DWORD error) {
  SetLastError(error);
  return FALSE;
}

static bool IsServiceHandle(SC_HANDLE handle) {
  return liveHandles.count(handle) != 0 && !handle->manager;
}

static std::string Outcome(BOOL result) {
  return result ? "1" : "0 (" + std::to_string(GetLastError()) + ")";
}

static SC_HANDLE NewHandle(bool manager, const std::string& name, DWORD access) {
  SC_HANDLE handle = new SC_HANDLE__{manager, name, access};
  liveHandles.insert(handle);
  return handle;
}

static SC_HANDLE OpenManager(LPCWSTR machineName, DWORD access) {
  const Json* machine = Machine();
  if (machine == nullptr) return SetLastError(ERROR_INVALID_DATA), nullptr;
  if (machineName != nullptr && machineName[0] != 0) return SetLastError(RPC_S_SERVER_UNAVAILABLE), nullptr;
  const DWORD scmError = NumberMember(*machine, "scmError");
  if (scmError != 0) return SetLastError(scmError), nullptr;
  return NewHandle(true, "", access);
}

static SC_HANDLE OpenService(SC_HANDLE manager, LPCWSTR serviceName, DWORD access) {
  if (liveHandles.count(manager) == 0 || !manager->manager) return SetLastError(ERROR_INVALID_HANDLE), nullptr;
  if (serviceName == nullptr) return SetLastError(ERROR_INVALID_PARAMETER), nullptr;
  const Json* machine = Machine();
  if (machine == nullptr) return SetLastError(ERROR_INVALID_DATA), nullptr;
  const std::string name = StoredServiceName(*machine, Utf16ToUtf8(Utf16Text(serviceName)));
  const Json& service = ServiceEntry(*machine, name);
  if (name.empty() || !service.is_object()) return SetLastError(ERROR_SERVICE_DOES_NOT_EXIST), nullptr;
  const DWORD openError = NumberMember(service, "openError");
  if (openError != 0) return SetLastError(openError), nullptr;
  return NewHandle(false, name, access);
}

// Records the new state in the machine file and lets the service pass through its pending state.
static BOOL ChangeServiceState(SC_HANDLE handle, bool start) {
  const char* errorName = start ? "startError" : "stopError";
  const DWORD result = ChangeMachine([&](Json& machine) -> DWORD {
    const Json& current = ServiceEntry(machine, handle->serviceName);
    if (!current.is_object()) return ERROR_SERVICE_DOES_NOT_EXIST;
    const DWORD injected = NumberMember(current, errorName);
    if (injected != 0) return injected;
    if (start && IsRunning(current)) return ERROR_SERVICE_ALREADY_RUNNING;
    if (!start && !IsRunning(current)) return ERROR_SERVICE_NOT_ACTIVE;
    machine["services"][handle->serviceName]["state"] = start ? "running" : "stopped";
    return 0;
  });
  if (result != 0) return FailWith(result);
  const Json& service = ServiceEntry(*Machine(), handle->serviceName);
  PendingState& next = pendingStates[handle->serviceName];
  next = PendingState();
  next.state = start ? SERVICE_START_PENDING : SERVICE_STOP_PENDING;
  next.readings = MemberOrNull(service, start ? "startPending" : "stopPending");
  return TRUE;
}

// The status a query reports, taking the next reading when consumeQuery is set (ControlService
// reports the pending state without one); a reading's error, or 0.
static DWORD FillStatus(const std::string& name, SERVICE_STATUS_PROCESS& status, bool consumeQuery) {
  status = SERVICE_STATUS_PROCESS();
  status.dwServiceType = SERVICE_WIN32_SHARE_PROCESS;
  status.dwProcessId = 1000;
  PendingState& pending = pendingStates[name];
  Reading reading;
  if (ReadingAt(pending.readings, pending.taken, reading)) {
    if (!consumeQuery) {
      status.dwCurrentState = pending.state;
      status.dwWaitHint = reading.waitHint;
      return 0;
    }
    ++pending.taken;
    if (reading.queryError != 0) return reading.queryError;
    status.dwCurrentState = pending.state;
    status.dwCheckPoint = reading.checkPoint;
    status.dwWaitHint = reading.waitHint;
    return 0;
  }
  const Json* machine = Machine();
  const bool running = machine && IsRunning(ServiceEntry(*machine, name));
  status.dwCurrentState = running ? SERVICE_RUNNING : SERVICE_STOPPED;
  if (running) status.dwControlsAccepted = SERVICE_ACCEPT_STOP;
  return 0;
}

static BOOL QueryStatus(SC_HANDLE handle, SC_STATUS_TYPE level, LPBYTE buffer, DWORD size, LPDWORD needed) {
  if (!IsServiceHandle(handle)) return FailWith(ERROR_INVALID_HANDLE);
  if ((handle->access & SERVICE_QUERY_STATUS) == 0) return FailWith(ERROR_ACCESS_DENIED);
  if (level != SC_STATUS_PROCESS_INFO) return FailWith(ERROR_INVALID_LEVEL);
  if (needed == nullptr) return FailWith(ERROR_INVALID_PARAMETER);
  // The size needed is promised only with ERROR_INSUFFICIENT_BUFFER; success leaves it alone.
  if (buffer == nullptr || size < sizeof(SERVICE_STATUS_PROCESS)) {
    *needed = sizeof(SERVICE_STATUS_PROCESS);
    return FailWith(ERROR_INSUFFICIENT_BUFFER);
  }
  const Json* machine = Machine();
  const DWORD queryError = machine ? NumberMember(ServiceEntry(*machine, handle->serviceName), "queryError") : 0;
  if (queryError != 0) return FailWith(queryError);
  SERVICE_STATUS_PROCESS status;
  const DWORD readingError = FillStatus(handle->serviceName, status, true);
  if (readingError != 0) return FailWith(readingError);
  memcpy(buffer, &status, sizeof status);
  return TRUE;
}

}  // namespace standin

using namespace standin;

static std::string HandleName(SC_HANDLE handle) {
  if (liveHandles.count(handle) == 0) return "(invalid)";
  return handle->manager ? "(manager)" : handle->serviceName;
}

extern "C" SC_HANDLE WINAPI OpenSCManagerW(LPCWSTR lpMachineName, LPCWSTR lpDatabaseName, DWORD dwDesiredAccess) {
  SC_HANDLE handle = OpenManager(lpMachineName, dwDesiredAccess);
  const std::string database = lpDatabaseName ? Utf16ToUtf8(Utf16Text(lpDatabaseName)) : "(null)";
  Trace("OpenSCManagerW " + database + " " + Hex32(dwDesiredAccess) + " -> " +
        (handle ? "(manager)" : "NULL (" + std::to_string(GetLastError()) + ")"));
  return handle;
}

extern "C" SC_HANDLE WINAPI OpenServiceW(SC_HANDLE hSCManager, LPCWSTR lpServiceName, DWORD dwDesiredAccess) {
  SC_HANDLE handle = OpenService(hSCManager, lpServiceName, dwDesiredAccess);
  const std::string name = lpServiceName ? Utf16ToUtf8(Utf16Text(lpServiceName)) : "(null)";
  Trace("OpenServiceW " + name + " " + Hex32(dwDesiredAccess) + " -> " +
        (handle ? name : "NULL (" + std::to_string(GetLastError()) + ")"));
  return handle;
}

extern "C" BOOL WINAPI StartServiceW(SC_HANDLE hService, DWORD dwNumServiceArgs, LPCWSTR* lpServiceArgVectors) {
  BOOL result;
  if (!IsServiceHandle(hService)) result = FailWith(ERROR_INVALID_HANDLE);
  else if ((hService->access & SERVICE_START) == 0) result = FailWith(ERROR_ACCESS_DENIED);
  else if (dwNumServiceArgs != 0 && lpServiceArgVectors == nullptr) result = FailWith(ERROR_INVALID_PARAMETER);
  else result = ChangeServiceState(hService, true);
  Trace("StartServiceW " + HandleName(hService) + " -> " + Outcome(result));
  return result;
}

extern "C" BOOL WINAPI ControlService(SC_HANDLE hService, DWORD dwControl, LPSERVICE_STATUS lpServiceStatus) {
  BOOL result;
  if (!IsServiceHandle(hService)) result = FailWith(ERROR_INVALID_HANDLE);
  else if (lpServiceStatus == nullptr) result = FailWith(ERROR_INVALID_PARAMETER);
  else if (dwControl != SERVICE_CONTROL_STOP) result = FailWith(ERROR_INVALID_SERVICE_CONTROL);
  else if ((hService->access & SERVICE_STOP) == 0) result = FailWith(ERROR_ACCESS_DENIED);
  else result = ChangeServiceState(hService, false);
  if (result) {
    SERVICE_STATUS_PROCESS status;
    FillStatus(hService->serviceName, status, false);
    memcpy(lpServiceStatus, &status, sizeof *lpServiceStatus);
  }
  Trace("ControlService " + HandleName(hService) + " " + std::to_string(dwControl) + " -> " + Outcome(result));
  return result;
}

extern "C" BOOL WINAPI QueryServiceStatusEx(SC_HANDLE hService, SC_STATUS_TYPE InfoLevel, LPBYTE lpBuffer,
                                            DWORD cbBufSize, LPDWORD pcbBytesNeeded) {
  const BOOL result = QueryStatus(hService, InfoLevel, lpBuffer, cbBufSize, pcbBytesNeeded);
  std::string line = "QueryServiceStatusEx " + HandleName(hService) + " -> " + Outcome(result);
  if (result) {
    const SERVICE_STATUS_PROCESS* status = reinterpret_cast<const SERVICE_STATUS_PROCESS*>(lpBuffer);
    line += " state " + std::to_string(status->dwCurrentState) + " checkpoint " + std::to_string(status->dwCheckPoint) +
            " waithint " + std::to_string(status->dwWaitHint);
  }
  Trace(line);
  return result;
}

extern "C" BOOL WINAPI CloseServiceHandle(SC_HANDLE hSCObject) {
  const std::string name = HandleName(hSCObject);
  BOOL result = TRUE;
  if (liveHandles.erase(hSCObject) == 0) {
    result = FailWith(ERROR_INVALID_HANDLE);
  } else {
    delete hSCObject;
  }
  Trace("CloseServiceHandle " + name + " -> " + Outcome(result));
  return result;
}
