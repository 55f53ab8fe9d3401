#include "platform/standin/api/wzc_state.h"

#include <windows.h>

namespace standin {

bool WzcServiceRunning() {
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
  if (manager == nullptr) return false;
  SC_HANDLE service = OpenServiceW(manager, L"WZCSVC", SERVICE_QUERY_STATUS);
  SERVICE_STATUS status = {};
  const bool running =
      service != nullptr && QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_RUNNING;
  if (service != nullptr) CloseServiceHandle(service);
  CloseServiceHandle(manager);
  return running;
}

}  // namespace standin
