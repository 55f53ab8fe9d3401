// The checks XP SP2 makes on a profile, in its order: well-formed XML, the root, the schema
// and XP's own limits on it, the SSID, the security settings, then the 802.1X settings.
#include "platform/standin/profiles/profile_rules.h"

#include <vector>

#include "platform/standin/profiles/profile_document.h"
#include "platform/standin/text/ansi_text.h"
#include "platform/standin/text/ascii.h"

namespace standin {

static const char16_t kProfileNamespace[] = u"http://www.microsoft.com/networking/WLAN/profile/v1";
static const char16_t kOneXNamespace[] = u"http://www.microsoft.com/networking/OneX/v1";
static const char16_t kEapHostNamespace[] = u"http://www.microsoft.com/provisioning/EapHostConfig";
static const char16_t kEapCommonNamespace[] = u"http://www.microsoft.com/provisioning/EapCommon";
static const char16_t kBaseEapNamespace[] = u"http://www.microsoft.com/provisioning/BaseEapConnectionPropertiesV1";
static const char16_t kPeapType[] = u"25";
static const char16_t kAdHocSuffix[] = u"-adhoc";
static const size_t kMaxSsidBytes = 32;

// The first child with that name, in the profile's own namespace unless another is given;
// null when there is none.
static const ProfileElement* Child(const ProfileElement* parent, const char16_t* name,
                                   const char16_t* namespaceUri = kProfileNamespace) {
  if (parent == nullptr) return nullptr;
  for (const ProfileElement& child : parent->children)
    if (child.localName == name && child.namespaceUri == namespaceUri) return &child;
  return nullptr;
}

static std::u16string TextOf(const ProfileElement* element) {
  return element ? element->text : std::u16string();
}

static bool IsXmlSpace(char16_t unit) {
  return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n';
}

// Schema types that collapse white space (booleans, hexBinary) read their text trimmed.
static std::u16string Trimmed(std::u16string text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsXmlSpace(text[begin])) ++begin;
  while (end > begin && IsXmlSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// The schema has already admitted only true, false, 1 or 0.
static bool IsTrue(const ProfileElement* element) {
  const std::u16string value = Trimmed(TextOf(element));
  return value == u"true" || value == u"1";
}

// Characters, not UTF-16 units: a surrogate pair is one character.
static size_t CharacterCount(const std::u16string& text) {
  size_t count = 0;
  for (char16_t unit : text)
    if (unit < 0xDC00 || unit > 0xDFFF) ++count;
  return count;
}

// XP's limits that the schema can't state: what an ad hoc network may ask for.
static bool BreaksXpLimits(const ProfileElement& profile) {
  const bool adHoc = TextOf(Child(&profile, u"connectionType")) == u"IBSS";
  const bool manual = TextOf(Child(&profile, u"connectionMode")) == u"manual";
  const bool autoSwitch = IsTrue(Child(&profile, u"autoSwitch"));
  const bool nonBroadcast = IsTrue(Child(Child(&profile, u"SSIDConfig"), u"nonBroadcast"));
  if (autoSwitch && manual) return true;
  return adHoc && (!manual || nonBroadcast || autoSwitch);
}

// The SSID's bytes: hex when present, otherwise the name in the machine's ANSI code page.
static bool ReadSsid(const ProfileElement& profile, std::string& ssid) {
  const ProfileElement* entry = Child(Child(&profile, u"SSIDConfig"), u"SSID");
  if (entry == nullptr) return false;
  ssid.clear();
  if (const ProfileElement* hex = Child(entry, u"hex")) {
    const std::u16string digits = Trimmed(hex->text);
    return !digits.empty() && digits.size() <= 2 * kMaxSsidBytes && DecodeHex(digits, ssid);
  }
  const ProfileElement* name = Child(entry, u"name");
  if (name == nullptr || name->text.empty()) return false;
  // Measured first: a name far too long is refused without converting all of it.
  if (name->text.size() > kMaxSsidBytes) return false;
  ssid = EncodeAnsi(name->text);
  return !ssid.empty() && ssid.size() <= kMaxSsidBytes;
}

static std::u16string SsidText(const std::string& ssid) {
  return DecodeAnsi(ssid);
}

// The key rules for WEP (wep) or WPA/WPA2-Personal; 0 when the key passes. A profile
// without a key is taken: XP asks the user for it when connecting.
static DWORD CheckKey(const ProfileElement* sharedKey, bool wep) {
  if (sharedKey == nullptr) return 0;
  const std::u16string keyType = TextOf(Child(sharedKey, u"keyType"));
  const std::u16string key = TextOf(Child(sharedKey, u"keyMaterial"));
  const size_t length = CharacterCount(key);
  if (wep && keyType != u"networkKey") return MSMSEC_PROFILE_WRONG_KEYTYPE;
  bool printable;  // else hex digits
  if (wep) {
    if (length != 5 && length != 13 && length != 10 && length != 26) return MSMSEC_PROFILE_KEY_LENGTH;
    printable = length == 5 || length == 13;
  } else {
    printable = keyType == u"passPhrase";
    if (printable ? length < 8 || length > 63 : length != 64) return MSMSEC_PROFILE_PSK_LENGTH;
  }
  for (char16_t unit : key) {
    if (printable ? unit < 32 || unit > 126 : HexDigitValue(unit) < 0) return MSMSEC_PROFILE_KEYMATERIAL_CHAR;
  }
  return 0;
}

static const ProfileElement* Security(const ProfileElement& profile) {
  return Child(Child(&profile, u"MSM"), u"security");
}

static bool UsesOneX(const ProfileElement& profile) {
  return IsTrue(Child(Child(Security(profile), u"authEncryption"), u"useOneX"));
}

// A setting of authEncryption; without one the network is open and unencrypted.
static std::u16string AuthEncryption(const ProfileElement& profile, const char16_t* name) {
  const ProfileElement* authEncryption = Child(Security(profile), u"authEncryption");
  if (authEncryption == nullptr) return name == std::u16string(u"authentication") ? u"open" : u"none";
  return TextOf(Child(authEncryption, name));
}

static DWORD CheckSecurity(const ProfileElement& profile, bool adHoc) {
  const ProfileElement* security = Security(profile);
  const std::u16string authentication = AuthEncryption(profile, u"authentication");
  const std::u16string encryption = AuthEncryption(profile, u"encryption");
  const bool oneX = UsesOneX(profile);
  const bool wep = encryption == u"WEP";
  const bool enterprise = authentication == u"WPA" || authentication == u"WPA2";
  const bool personal = authentication == u"WPAPSK" || authentication == u"WPA2PSK";
  const bool openNone = authentication == u"open" && encryption == u"none";
  const bool wepPair = wep && (authentication == u"open" || authentication == u"shared");
  const bool wpaCipher = encryption == u"TKIP" || encryption == u"AES";
  if (!(openNone || wepPair || ((enterprise || personal) && wpaCipher && !adHoc)))
    return MSMSEC_PROFILE_INVALID_AUTH_CIPHER;
  if (enterprise && !oneX) return MSMSEC_PROFILE_ONEX_DISABLED;
  if (oneX && (personal || openNone || authentication == u"shared")) return MSMSEC_PROFILE_ONEX_ENABLED;
  // Open/WEP with 802.1X takes its keys from 802.1X: a shared key is ignored, as for
  // open networks and WPA/WPA2 Enterprise.
  if (wep && !oneX) return CheckKey(Child(security, u"sharedKey"), true);
  if (personal) return CheckKey(Child(security, u"sharedKey"), false);
  return 0;
}

// PEAP, EAP type 25: XP's Native Wifi takes no other method.
static bool IsPeap(const ProfileElement* type) {
  return Trimmed(TextOf(type)) == kPeapType;
}

// The 802.1X settings XP uses: the EAPConfig of the OneX element, whose method must be PEAP.
static void CheckOneX(const ProfileElement& profile, ProfileVerdict& verdict) {
  const ProfileElement* oneX = Child(Security(profile), u"OneX", kOneXNamespace);
  const ProfileElement* hostConfig =
      Child(Child(oneX, u"EAPConfig", kOneXNamespace), u"EapHostConfig", kEapHostNamespace);
  if (hostConfig == nullptr) {
    verdict.reasonCode = ONEX_PROFILE_INVALID_LENGTH;
  } else if (!IsPeap(Child(Child(hostConfig, u"EapMethod", kEapHostNamespace), u"Type", kEapCommonNamespace))) {
    verdict.reasonCode = ONEX_PROFILE_INVALID_EAP_TYPE_OR_FLAG;
  } else if (const ProfileElement* blob = Child(hostConfig, u"ConfigBlob", kEapHostNamespace);
             blob != nullptr && Trimmed(blob->text).empty()) {
    verdict.error = ERROR_INVALID_PARAMETER;  // refused as an argument: no reason code
  } else if (const ProfileElement* config = Child(hostConfig, u"Config", kEapHostNamespace)) {
    // The method's own settings: an Eap element of type PEAP first.
    const ProfileElement* first = config->children.empty() ? nullptr : &config->children.front();
    const bool peap = first != nullptr && first->localName == u"Eap" && first->namespaceUri == kBaseEapNamespace &&
                      IsPeap(Child(first, u"Type", kBaseEapNamespace));
    if (!peap) verdict.reasonCode = ONEX_PROFILE_INVALID_EAP_CONNECTION_PROPERTIES;
  }
}

// The key an accepted profile joins its network with, when its security takes one.
static void ReadKey(const ProfileElement& profile, ProfileVerdict& verdict) {
  const std::u16string authentication = AuthEncryption(profile, u"authentication");
  const bool wep = AuthEncryption(profile, u"encryption") == u"WEP";
  verdict.needsKey = authentication == u"WPAPSK" || authentication == u"WPA2PSK" || (wep && !UsesOneX(profile));
  const ProfileElement* sharedKey = Child(Security(profile), u"sharedKey");
  if (!verdict.needsKey || sharedKey == nullptr) return;
  verdict.hasKey = true;
  verdict.key = TextOf(Child(sharedKey, u"keyMaterial"));
  const size_t length = CharacterCount(verdict.key);
  verdict.hexKey = TextOf(Child(sharedKey, u"keyType")) == u"networkKey" && length != 5 && length != 13;
}

ProfileVerdict CheckProfile(const std::u16string& text) {
  ProfileVerdict verdict;
  ProfileElement profile;
  const ProfileParse parse = ReadProfileDocument(text, profile);
  std::string ssid;
  if (parse == kProfileNotWellFormed) {
    verdict.reasonCode = WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA;
  } else if (profile.localName != u"WLANProfile") {
    verdict.reasonCode = WLAN_REASON_CODE_PROFILE_MISSING;
  } else if (parse != kProfileSchemaValid || BreaksXpLimits(profile)) {
    verdict.reasonCode = WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA;
  } else if (!ReadSsid(profile, ssid)) {
    verdict.reasonCode = WLAN_REASON_CODE_PROFILE_SSID_INVALID;
  } else {
    verdict.adHoc = TextOf(Child(&profile, u"connectionType")) == u"IBSS";
    verdict.reasonCode = CheckSecurity(profile, verdict.adHoc);
    if (verdict.reasonCode == WLAN_REASON_CODE_SUCCESS && UsesOneX(profile)) CheckOneX(profile, verdict);
  }
  if (verdict.reasonCode != WLAN_REASON_CODE_SUCCESS) verdict.error = ERROR_BAD_PROFILE;
  if (verdict.error == ERROR_SUCCESS) {
    verdict.storedName = SsidText(ssid);
    if (verdict.adHoc) verdict.storedName += kAdHocSuffix;
    verdict.ssid = ssid;
    verdict.authentication = AuthEncryption(profile, u"authentication");
    verdict.encryption = AuthEncryption(profile, u"encryption");
    verdict.oneX = UsesOneX(profile);
    ReadKey(profile, verdict);
  }
  return verdict;
}

bool IsAdHocName(const std::string& utf8Name) {
  static const std::string suffix = "-adhoc";
  return utf8Name.size() >= suffix.size() &&
         utf8Name.compare(utf8Name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace standin
