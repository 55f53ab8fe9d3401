#include "platform/standin/machine/radio.h"

#include "platform/standin/profiles/profile_rules.h"
#include "platform/standin/text/ansi_text.h"
#include "platform/standin/text/ascii.h"
#include "platform/standin/text/unicode.h"

namespace standin {

// A word of the profile schema, or the default when the member is missing.
static std::u16string Word(const Json& object, const char* name, const char16_t* missing) {
  const Json& member = MemberOrNull(object, name);
  return member.is_string() ? Utf8ToUtf16(member.get<std::string>()) : missing;
}

static std::string NetworkSsid(const Json& network) {
  std::string bytes;
  if (DecodeHex(StringMember(network, "ssidHex"), bytes) && !bytes.empty()) return bytes;
  return EncodeAnsi(Utf8ToUtf16(StringMember(network, "ssid")));
}

// A missing list means the adapter can do all of them.
static bool AdapterListHolds(const Json& entry, const char* list, const std::u16string& word) {
  const Json& words = MemberOrNull(MemberOrNull(entry, "adapter"), list);
  if (!words.is_array()) return true;
  for (const Json& known : words)
    if (known.is_string() && Utf8ToUtf16(known.get<std::string>()) == word) return true;
  return false;
}

bool AdapterCan(const Json& entry, const std::u16string& authentication, const std::u16string& encryption) {
  return AdapterListHolds(entry, "authentications", authentication) &&
         AdapterListHolds(entry, "encryptions", encryption);
}

struct StoredProfile {
  std::string name;
  ProfileVerdict verdict;
};

static std::vector<StoredProfile> StoredProfiles(const Json& entry) {
  std::vector<StoredProfile> stored;
  const Json& profiles = MemberOrNull(entry, "profiles");
  for (size_t i = 0; profiles.is_array() && i < profiles.size(); ++i)
    stored.push_back({StringMember(profiles[i], "name"), CheckProfile(Utf8ToUtf16(StringMember(profiles[i], "xml")))});
  return stored;
}

// The stored profile for a network has its SSID bytes and its type; a profile whose text XP
// would not take is for no network.
static const StoredProfile* ProfileFor(const std::vector<StoredProfile>& stored, const NetworkInRange& network) {
  for (const StoredProfile& profile : stored)
    if (profile.verdict.error == ERROR_SUCCESS && profile.verdict.ssid == network.ssid &&
        profile.verdict.adHoc == network.adHoc)
      return &profile;
  return nullptr;
}

static std::vector<NetworkInRange> Survey(const Json& entry, const std::vector<StoredProfile>& stored) {
  std::vector<NetworkInRange> found;
  const Json& networks = MemberOrNull(entry, "networks");
  for (size_t i = 0; networks.is_array() && i < networks.size(); ++i) {
    const Json& item = networks[i];
    NetworkInRange network;
    network.ssid = NetworkSsid(item);
    network.adHoc = StringMember(item, "bssType") == "adhoc";
    network.signal = NumberMember(item, "signal");
    network.authentication = Word(item, "authentication", u"open");
    network.encryption = Word(item, "encryption", u"none");
    const StoredProfile* profile = ProfileFor(stored, network);
    if (profile != nullptr) network.profileName = profile->name;
    if (!AdapterCan(entry, network.authentication, network.encryption)) {
      network.connectable = false;
      network.notConnectableReason = WLAN_REASON_CODE_NETWORK_NOT_COMPATIBLE;
    } else if (profile != nullptr && (profile->verdict.authentication != network.authentication ||
                                      profile->verdict.encryption != network.encryption)) {
      network.connectable = false;
      network.notConnectableReason = WLAN_REASON_CODE_PROFILE_NOT_COMPATIBLE;
    }
    found.push_back(network);
  }
  return found;
}

std::vector<NetworkInRange> NetworksInRange(const Json& entry) {
  return Survey(entry, StoredProfiles(entry));
}

// Text keys compare exactly, keys in hex digits without regard to letter case.
static bool SameKey(const std::u16string& networkKey, const ProfileVerdict& profile) {
  if (networkKey == profile.key) return true;
  if (!profile.hexKey || networkKey.size() != profile.key.size()) return false;
  for (size_t i = 0; i < networkKey.size(); ++i)
    if (HexDigitValue(networkKey[i]) < 0 || HexDigitValue(networkKey[i]) != HexDigitValue(profile.key[i])) return false;
  return true;
}

bool JoinSucceeds(const Json& entry, const std::string& profileName) {
  const Json& networks = MemberOrNull(entry, "networks");
  const std::vector<StoredProfile> stored = StoredProfiles(entry);
  const std::vector<NetworkInRange> inRange = Survey(entry, stored);
  for (size_t i = 0; i < inRange.size(); ++i) {
    if (inRange[i].profileName.empty() || inRange[i].profileName != profileName) continue;
    if (!inRange[i].connectable || NumberMember(networks[i], "connectReason") != 0) return false;
    const ProfileVerdict& profile = ProfileFor(stored, inRange[i])->verdict;
    // Without a key XP would ask a user for one: no user, no connection.
    if (profile.needsKey && !profile.hasKey) return false;
    const Json& key = MemberOrNull(networks[i], "key");
    return !key.is_string() || SameKey(Utf8ToUtf16(key.get<std::string>()), profile);
  }
  return false;
}

}  // namespace standin
