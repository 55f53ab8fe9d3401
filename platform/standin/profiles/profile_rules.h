// What XP SP2's wireless LAN API makes of a profile text: its verdict, and under which
// name an accepted profile is stored.
#pragma once

#include <string>

#include "platform/platform.h"

namespace standin {

struct ProfileVerdict {
  // ERROR_BAD_PROFILE with the reason code of the first rule the text breaks, or
  // ERROR_INVALID_PARAMETER (no reason code) for settings XP refuses as a bad argument.
  DWORD error = ERROR_SUCCESS;
  DWORD reasonCode = WLAN_REASON_CODE_SUCCESS;
  std::u16string storedName;  // set when accepted
  bool adHoc = false;
  // What a connection made with an accepted profile reports.
  std::string ssid;  // its bytes
  std::u16string authentication, encryption;
  bool oneX = false;
  // What joining its network takes: a key (WEP without 802.1X, WPA/WPA2-Personal), and the
  // profile's keyMaterial when it has one; hexKey when that is a key in hex digits.
  bool needsKey = false;
  bool hasKey = false;
  bool hexKey = false;
  std::u16string key;
};

ProfileVerdict CheckProfile(const std::u16string& text);

// A stored profile's name marks it as ad hoc.
bool IsAdHocName(const std::string& utf8Name);

}  // namespace standin
