// The real Windows headers, plus the error code that mingw-w64 lacks.
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
