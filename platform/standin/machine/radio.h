// The radio world of an interface (its "networks" and "adapter" members): the networks it
// sees, which stored profile each has, whether XP would offer to join it, and whether an
// attempt to join one with a stored profile succeeds.
#pragma once

#include <string>
#include <vector>

#include "platform/standin/machine/machine.h"

namespace standin {

struct NetworkInRange {
  std::string ssid;  // its bytes
  bool adHoc = false;
  DWORD signal = 0;
  std::u16string authentication, encryption;  // in the profile schema's words
  std::string profileName;                    // of the stored profile for it; empty when none
  bool connectable = true;
  DWORD notConnectableReason = WLAN_REASON_CODE_SUCCESS;
};

// Whether the interface's adapter can do that authentication and encryption (schema words).
bool AdapterCan(const Json& entry, const std::u16string& authentication, const std::u16string& encryption);

// The networks the interface sees, in the order of its "networks" member.
std::vector<NetworkInRange> NetworksInRange(const Json& entry);

// Whether an attempt with the interface's stored profile of that name ends connected.
bool JoinSucceeds(const Json& entry, const std::string& profileName);

}  // namespace standin
