// The platform's sentence for a Native Wifi reason code.
#pragma once

#include <string>

#include "platform/platform.h"

// From WlanReasonCodeToString, in the ANSI code page; "Unknown reason." when it gives none.
std::string ReasonText(WLAN_REASON_CODE reasonCode);
