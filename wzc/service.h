// Access to the Wireless Zero Configuration service.
#pragma once

#include "platform/platform.h"

extern SC_HANDLE WzcServiceHandle;

// Opens WZCSVC and starts it when it is not running, waiting until it runs; null when
// the manager or the service can't be opened.
SC_HANDLE OpenWzcService();
// 1 when the service was asked to stop and reached SERVICE_STOPPED, else 0.
int StopService();
// Polls while the service reports pendingState; 1 when the last state read is wantedState.
int WaitForServiceState(SC_HANDLE service, DWORD pendingState, DWORD wantedState);
