#include "text/code_page.h"
#include "text/print.h"
#include "wlan/actions.h"
#include "wlan/profile_file.h"
#include "wlan/session.h"

// Room for the reason text, its terminator included.
static const size_t kReasonTextUnits = 256;

static std::string ReasonText(WLAN_REASON_CODE reasonCode) {
  WCHAR buffer[kReasonTextUnits] = {0};
  if (WlanReasonCodeToString(reasonCode, kReasonTextUnits, buffer, nullptr) != 0) return "Unknown reason.";
  return ToAnsi(buffer, kReasonTextUnits);
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
    const std::string reason = ReasonText(reasonCode);
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
