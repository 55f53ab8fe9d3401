// The real Windows headers, plus the Native Wifi constants that mingw-w64 lacks.
#pragma once

#include <windows.h>
#include <winsvc.h>
#include <wlanapi.h>

#define WTEXT(s) L##s

#ifndef L2_REASON_CODE_GROUP_SIZE
#define L2_REASON_CODE_GROUP_SIZE 0x10000
#endif
#ifndef WLAN_REASON_CODE_SUCCESS
#define WLAN_REASON_CODE_SUCCESS 0
#endif
#ifndef WLAN_REASON_CODE_UNKNOWN
#define WLAN_REASON_CODE_UNKNOWN 0x10001
#endif
#ifndef WLAN_REASON_CODE_PROFILE_BASE
#define WLAN_REASON_CODE_PROFILE_BASE 0x80000
#endif
#ifndef WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA
#define WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA 0x80001
#endif
#ifndef WLAN_REASON_CODE_INVALID_PROFILE_NAME
#define WLAN_REASON_CODE_INVALID_PROFILE_NAME 0x80003
#endif
#ifndef ERROR_BAD_PROFILE
#define ERROR_BAD_PROFILE 1206L
#endif
