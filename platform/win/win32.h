// The real Windows headers, plus the error code and flags that mingw-w64 lacks.
#pragma once

#include <windows.h>
// clang-format off: the order these headers need
#include <aclapi.h>
#include <sddl.h>
// clang-format on
#include <winsvc.h>
#include <wlanapi.h>

#define WTEXT(s) L##s

#ifndef ERROR_BAD_PROFILE
#define ERROR_BAD_PROFILE 1206L
#endif
// The flags of WLAN_AVAILABLE_NETWORK, which mingw-w64's wlanapi.h lacks too.
#ifndef WLAN_AVAILABLE_NETWORK_CONNECTED
#define WLAN_AVAILABLE_NETWORK_CONNECTED 0x00000001
#endif
#ifndef WLAN_AVAILABLE_NETWORK_HAS_PROFILE
#define WLAN_AVAILABLE_NETWORK_HAS_PROFILE 0x00000002
#endif
