#include "dryrun/refusal_notes.h"

#include <vector>

#include "platform/standin/text/unicode.h"

using standin::ProfileElement;

// The first element of that local name, depth first, whatever its namespace: a mistyped
// namespace is what the note must point at.
static const ProfileElement* Find(const ProfileElement& element, const char16_t* name) {
  if (element.localName == name) return &element;
  for (const ProfileElement& child : element.children)
    if (const ProfileElement* found = Find(child, name)) return found;
  return nullptr;
}

static std::string TextOf(const ProfileElement& profile, const char16_t* name) {
  const ProfileElement* element = Find(profile, name);
  return element ? standin::Utf16ToUtf8(element->text) : std::string();
}

static size_t Characters(const std::string& utf8) {
  size_t count = 0;
  for (unsigned char byte : utf8) count += (byte & 0xC0) != 0x80;
  return count;
}

// The line of the first of the elements that the profile holds, else of the profile itself.
static std::string LineOf(const ProfileElement& profile, std::vector<const char16_t*> names) {
  const ProfileElement* element = &profile;
  for (const char16_t* name : names) {
    if (const ProfileElement* found = Find(profile, name)) {
      element = found;
      break;
    }
  }
  return element->line > 0 ? "line " + std::to_string(element->line) + ": " : "";
}

std::string WhatXpTakes(DWORD reason, const ProfileElement& profile, UINT codePage) {
  const std::string key = TextOf(profile, u"keyMaterial");
  const std::string keyLength = "; this one has " + std::to_string(Characters(key));
  switch (reason) {
    case WLAN_REASON_CODE_PROFILE_MISSING:
      return LineOf(profile, {}) + "XP takes a WLANProfile element, in the namespace " +
             "http://www.microsoft.com/networking/WLAN/profile/v1, at the root; this one is '" +
             standin::Utf16ToUtf8(profile.localName) + "'";
    case WLAN_REASON_CODE_PROFILE_SSID_INVALID:
      return LineOf(profile, {u"SSID", u"SSIDConfig"}) +
             "XP takes one SSID in SSIDConfig: as hex, an even number of hex digits for 1 to 32 bytes, or as a name of "
             "1 to 32 bytes in the machine's code page " +
             std::to_string(codePage);
    case MSMSEC_PROFILE_INVALID_AUTH_CIPHER:
      return LineOf(profile, {u"authentication", u"authEncryption"}) +
             "XP takes open with none or WEP, shared with WEP, and WPA, WPAPSK, WPA2 or WPA2PSK with TKIP or AES; an "
             "ad hoc profile only open with none or WEP, or shared with WEP; this one is " +
             TextOf(profile, u"authentication") + " with " + TextOf(profile, u"encryption");
    case MSMSEC_PROFILE_ONEX_DISABLED:
      return LineOf(profile, {u"useOneX", u"authEncryption"}) + "XP takes WPA and WPA2 with 802.1X alone: useOneX true";
    case MSMSEC_PROFILE_ONEX_ENABLED:
      return LineOf(profile, {u"useOneX", u"authEncryption"}) +
             "XP takes 802.1X (useOneX true) with WPA, WPA2, and open with WEP alone; WPAPSK, WPA2PSK, shared, and "
             "open without encryption take useOneX false";
    case MSMSEC_PROFILE_WRONG_KEYTYPE:
      return LineOf(profile, {u"keyType", u"sharedKey"}) + "XP takes a WEP key as keyType networkKey";
    case MSMSEC_PROFILE_KEY_LENGTH:
      return LineOf(profile, {u"keyMaterial", u"sharedKey"}) +
             "XP takes a WEP key of 5 or 13 characters, or of 10 or 26 hex digits" + keyLength;
    case MSMSEC_PROFILE_PSK_LENGTH:
      return LineOf(profile, {u"keyMaterial", u"sharedKey"}) +
             "XP takes a passPhrase of 8 to 63 characters, or a networkKey of 64 hex digits" + keyLength;
    case MSMSEC_PROFILE_KEYMATERIAL_CHAR:
      return LineOf(profile, {u"keyMaterial", u"sharedKey"}) +
             "XP takes a passphrase, and a WEP key of 5 or 13 characters, in the characters 32 to 126 (printable "
             "ASCII), and every other key in hex digits";
    case ONEX_PROFILE_INVALID_LENGTH:
      return LineOf(profile, {u"OneX", u"useOneX"}) +
             "XP takes the 802.1X settings from a OneX element, in the namespace "
             "http://www.microsoft.com/networking/OneX/v1, holding EAPConfig with an EapHostConfig in "
             "http://www.microsoft.com/provisioning/EapHostConfig";
    case ONEX_PROFILE_INVALID_EAP_TYPE_OR_FLAG: {
      const ProfileElement* method = Find(profile, u"EapMethod");
      const ProfileElement* type = method ? Find(*method, u"Type") : nullptr;
      return LineOf(profile, {u"EapMethod", u"EapHostConfig"}) +
             "XP takes PEAP alone: EapMethod's Type 25, in the namespace "
             "http://www.microsoft.com/provisioning/EapCommon" +
             (type ? "; this one is " + standin::Utf16ToUtf8(type->text) + ", in the namespace '" +
                         standin::Utf16ToUtf8(type->namespaceUri) + "'"
                   : std::string("; this one has none"));
    }
    case ONEX_PROFILE_INVALID_EAP_CONNECTION_PROPERTIES:
      return LineOf(profile, {u"Config", u"EapHostConfig"}) +
             "XP takes PEAP's own settings: Config's first element Eap, in the namespace "
             "http://www.microsoft.com/provisioning/BaseEapConnectionPropertiesV1, with Type 25";
    default: return "";
  }
}
