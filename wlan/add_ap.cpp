#include "text/code_page.h"
#include "text/print.h"
#include "wlan/actions.h"
#include "wlan/profile_file.h"
#include "wlan/reason_text.h"
#include "wlan/session.h"

// A refusal without a reason code, where the code's own text ("The operation was successful.")
// would say the opposite: the call's error code, and what XP means by the one it gives most.
static std::string RefusalText(DWORD result) {
  const std::string text = "Error " + std::to_string(static_cast<int>(result));
  if (result == ERROR_NO_MATCH) return text + ": the adapter can't do the profile's authentication or encryption.";
  return text + ".";
}

int OfferProfile(const std::string& path, const WideString& wideProfileText, const ValueList& limitList) {
  const std::string shownPath = NameForLine(path);
  int stored = 0;
  ForEachSelectedInterface(limitList, [&](const WLAN_INTERFACE_INFO& entry, const std::string& guidText) {
    WLAN_REASON_CODE reasonCode = 0;
    const DWORD result = WlanSetProfile(wlanSession.clientHandle, &entry.InterfaceGuid, 0, wideProfileText.c_str(),
                                        nullptr, TRUE, nullptr, &reasonCode);
    if (result == 0) {
      ++stored;
      Print(" - Added AP from file '" + shownPath + "' to interface '" + guidText + "'.\n");
      return;
    }
    const std::string reason = reasonCode != WLAN_REASON_CODE_SUCCESS ? ReasonText(reasonCode) : RefusalText(result);
    Print(" - Error adding AP from file '" + shownPath + "' to interface '" + guidText + "': (" +
          std::to_string(static_cast<int>(reasonCode)) + ")" + reason + "\n");
  });
  return stored;
}

int AddAp(std::string path, ValueList limitList) {
  if (!WifiApiReady()) return -1;
  std::string profileText;
  LoadProfileXml(path, profileText);  // an unreadable file is offered as the empty text
  OfferProfile(path, ToWide(profileText), limitList);
  return 0;
}
