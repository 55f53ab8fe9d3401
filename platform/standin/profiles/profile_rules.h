// What XP SP2's wireless LAN API makes of a profile text: its verdict, and under which
// name an accepted profile is stored.
#pragma once

#include <string>

#include "platform/platform.h"

// Reason codes of the platform's l2cmn.h and wlanapi.h that its headers here lack.
#ifndef WLAN_REASON_CODE_PROFILE_MISSING
#define WLAN_REASON_CODE_PROFILE_MISSING 0x80002
#endif
#ifndef WLAN_REASON_CODE_PROFILE_SSID_INVALID
#define WLAN_REASON_CODE_PROFILE_SSID_INVALID 0x80013
#endif
#ifndef MSMSEC_PROFILE_KEY_LENGTH
#define MSMSEC_PROFILE_KEY_LENGTH 0x40003
#endif
#ifndef MSMSEC_PROFILE_PSK_LENGTH
#define MSMSEC_PROFILE_PSK_LENGTH 0x40004
#endif
#ifndef MSMSEC_PROFILE_INVALID_AUTH_CIPHER
#define MSMSEC_PROFILE_INVALID_AUTH_CIPHER 0x40009
#endif
#ifndef MSMSEC_PROFILE_ONEX_DISABLED
#define MSMSEC_PROFILE_ONEX_DISABLED 0x4000A
#endif
#ifndef MSMSEC_PROFILE_ONEX_ENABLED
#define MSMSEC_PROFILE_ONEX_ENABLED 0x4000B
#endif
#ifndef MSMSEC_PROFILE_KEYMATERIAL_CHAR
#define MSMSEC_PROFILE_KEYMATERIAL_CHAR 0x40017
#endif
#ifndef MSMSEC_PROFILE_WRONG_KEYTYPE
#define MSMSEC_PROFILE_WRONG_KEYTYPE 0x40018
#endif
#ifndef ONEX_PROFILE_INVALID_LENGTH
#define ONEX_PROFILE_INVALID_LENGTH 0x50009
#endif
#ifndef ONEX_PROFILE_INVALID_EAP_TYPE_OR_FLAG
#define ONEX_PROFILE_INVALID_EAP_TYPE_OR_FLAG 0x5000B
#endif
#ifndef ONEX_PROFILE_INVALID_EAP_CONNECTION_PROPERTIES
#define ONEX_PROFILE_INVALID_EAP_CONNECTION_PROPERTIES 0x50010
#endif

namespace standin {

struct ProfileVerdict {
  // ERROR_BAD_PROFILE with the reason code of the first rule the text breaks, or
  // ERROR_INVALID_PARAMETER (no reason code) for settings XP refuses as a bad argument.
  DWORD error = ERROR_SUCCESS;
  DWORD reasonCode = WLAN_REASON_CODE_SUCCESS;
  std::u16string storedName;  // set when accepted
  bool adHoc = false;
};

ProfileVerdict CheckProfile(const std::u16string& text);

// A stored profile's name marks it as ad hoc.
bool IsAdHocName(const std::string& utf8Name);

}  // namespace standin
