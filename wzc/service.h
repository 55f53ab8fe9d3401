// Access to the Wireless Zero Configuration service.
#pragma once

#include "platform/platform.h"

extern SC_HANDLE WzcServiceHandle;

// Opens WZCSVC and starts it when it is not running, waiting until it runs; null when
// the manager or the service can't be opened.
SC_HANDLE OpenWzcService();
// 1 when the service was asked to stop and reached SERVICE_STOPPED, else 0 with the
// platform's last error saying why (the refused request's, or as WaitForServiceState says).
int StopService();
// Polls while the service reports pendingState, for at most 120 seconds; 1 when the last
// state read is wantedState. Else 0, and the last error says why: the failed status query's
// error, ERROR_SERVICE_REQUEST_TIMEOUT for a service still pending (or in another state
// without an exit code), or the exit code the service reports.
int WaitForServiceState(SC_HANDLE service, DWORD pendingState, DWORD wantedState);
