// The stand-in's profile checking on arbitrary text and on mutations of valid profiles: no
// crash or leak, and every text is either taken, with a name, or refused with one of the
// reason codes XP gives for profiles, or as an invalid argument without one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/standin/profiles/profile_rules.h"
#include "platform/standin/text/unicode.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // No machine file: the built-in machine, and its code page, without writing anything.
  setenv("TESSAMIN_MACHINE", "/nonexistent/tessamin-fuzz/machine.json", 1);
  return 0;
}

static bool IsProfileReason(DWORD code) {
  switch (code) {
    case WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA:
    case WLAN_REASON_CODE_PROFILE_MISSING:
    case WLAN_REASON_CODE_PROFILE_SSID_INVALID:
    case MSMSEC_PROFILE_INVALID_AUTH_CIPHER:
    case MSMSEC_PROFILE_ONEX_DISABLED:
    case MSMSEC_PROFILE_ONEX_ENABLED:
    case MSMSEC_PROFILE_WRONG_KEYTYPE:
    case MSMSEC_PROFILE_KEY_LENGTH:
    case MSMSEC_PROFILE_PSK_LENGTH:
    case MSMSEC_PROFILE_KEYMATERIAL_CHAR:
    case ONEX_PROFILE_INVALID_LENGTH:
    case ONEX_PROFILE_INVALID_EAP_TYPE_OR_FLAG:
    case ONEX_PROFILE_INVALID_EAP_CONNECTION_PROPERTIES: return true;
    default: return false;
  }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The tool hands the platform UTF-16 converted from the file's bytes.
  const std::u16string text = standin::Utf8ToUtf16(reinterpret_cast<const char*>(data), size);
  const standin::ProfileVerdict verdict = standin::CheckProfile(text);
  // Taken with a name; refused with a profile reason; or refused as an argument, with none.
  const bool named = !verdict.storedName.empty();
  const bool noReason = verdict.reasonCode == WLAN_REASON_CODE_SUCCESS;
  const bool sound = verdict.error == ERROR_SUCCESS             ? noReason && named
                     : verdict.error == ERROR_BAD_PROFILE       ? IsProfileReason(verdict.reasonCode) && !named
                     : verdict.error == ERROR_INVALID_PARAMETER ? noReason && !named
                                                                : false;
  if (!sound) __builtin_trap();
  return 0;
}
