#include "wlan/reason_text.h"

#include "text/code_page.h"

// Room for the reason text, its terminator included.
static const size_t kReasonTextUnits = 256;

std::string ReasonText(WLAN_REASON_CODE reasonCode) {
  WCHAR buffer[kReasonTextUnits] = {0};
  if (WlanReasonCodeToString(reasonCode, kReasonTextUnits, buffer, nullptr) != 0) return "Unknown reason.";
  return ToAnsi(buffer, kReasonTextUnits);
}
