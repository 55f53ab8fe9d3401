// Which JSON documents the stand-in accepts as a machine: checked once when read, so the
// platform functions can rely on every member having its type.
#include <algorithm>
#include <set>
#include <string>

#include "platform/standin/machine/machine.h"
#include "platform/standin/text/ansi_text.h"
#include "platform/standin/text/ascii.h"
#include "platform/standin/text/code_page_table.h"
#include "platform/standin/text/unicode.h"

namespace standin {

static bool IsWord(const Json& value) {
  if (value.is_number_unsigned()) return value.get<uint64_t>() <= 0xFFFFFFFFull;
  if (value.is_number_integer()) return value.get<int64_t>() >= -2147483648LL;
  return false;
}

static std::string CheckNumbers(const Json& object, std::initializer_list<const char*> names,
                                const std::string& where) {
  for (const char* name : names) {
    const Json& member = MemberOrNull(object, name);
    if (!member.is_null() && !IsWord(member)) return where + name + " is not a 32-bit number";
  }
  return "";
}

static std::string CheckStrings(const Json& object, std::initializer_list<const char*> names,
                                const std::string& where) {
  for (const char* name : names) {
    const Json& member = MemberOrNull(object, name);
    if (!member.is_null() && !member.is_string()) return where + name + " is not a string";
  }
  return "";
}

static bool IsHexBytes(const std::string& text) {
  std::string bytes;
  return DecodeHex(text, bytes);
}

static const char* const kAuthentications[] = {"open", "shared", "WPA", "WPAPSK", "WPA2", "WPA2PSK"};
static const char* const kEncryptions[] = {"none", "WEP", "TKIP", "AES"};

// A missing member, or one of the profile schema's words.
template <size_t N>
static bool IsWordOf(const Json& member, const char* const (&words)[N]) {
  return member.is_null() || std::find(std::begin(words), std::end(words), member) != std::end(words);
}

static std::string CheckNetwork(const Json& network, const std::string& where, UINT codePage) {
  if (!network.is_object()) return where + " is not an object";
  std::string problem =
      CheckStrings(network, {"ssid", "ssidHex", "bssType", "authentication", "encryption", "key"}, where + ".");
  if (problem.empty()) problem = CheckNumbers(network, {"signal", "connectReason"}, where + ".");
  if (!problem.empty()) return problem;
  const Json &ssid = MemberOrNull(network, "ssid"), &ssidHex = MemberOrNull(network, "ssidHex");
  if (ssid.is_null() == ssidHex.is_null()) return where + " has both ssid and ssidHex, or neither";
  std::string bytes;
  if (ssid.is_string()) bytes = EncodeAnsi(codePage, Utf8ToUtf16(ssid.get<std::string>()));
  if (ssidHex.is_string() && !DecodeHex(ssidHex.get<std::string>(), bytes)) bytes.clear();
  if (bytes.empty() || bytes.size() > 32)
    return where + (ssid.is_string() ? ".ssid is not 1 to 32 bytes in the machine's code page"
                                     : ".ssidHex is not 1 to 32 bytes in hex");
  const std::string bssType = StringMember(network, "bssType");
  if (!bssType.empty() && bssType != "infrastructure" && bssType != "adhoc")
    return where + ".bssType is neither \"infrastructure\" nor \"adhoc\"";
  if (NumberMember(network, "signal") > 100) return where + ".signal is not 0 to 100";
  if (!IsWordOf(MemberOrNull(network, "authentication"), kAuthentications))
    return where + ".authentication is not open, shared, WPA, WPAPSK, WPA2 or WPA2PSK";
  if (!IsWordOf(MemberOrNull(network, "encryption"), kEncryptions))
    return where + ".encryption is not none, WEP, TKIP or AES";
  return "";
}

// The radio world: the networks in range, what the adapter can do, an attempt under way.
static std::string CheckRadio(const Json& entry, const std::string& where, UINT codePage) {
  const Json& networks = MemberOrNull(entry, "networks");
  if (!networks.is_null() && !networks.is_array()) return where + ".networks is not a list";
  for (size_t n = 0; networks.is_array() && n < networks.size(); ++n) {
    const std::string problem = CheckNetwork(networks[n], where + ".networks[" + std::to_string(n) + "]", codePage);
    if (!problem.empty()) return problem;
  }
  const Json& adapter = MemberOrNull(entry, "adapter");
  if (!adapter.is_null() && !adapter.is_object()) return where + ".adapter is not an object";
  const Json &authentications = MemberOrNull(adapter, "authentications"),
             &encryptions = MemberOrNull(adapter, "encryptions");
  if (!authentications.is_null() &&
      !(authentications.is_array() && std::all_of(authentications.begin(), authentications.end(), [](const Json& w) {
          return w.is_string() && IsWordOf(w, kAuthentications);
        })))
    return where + ".adapter.authentications is not a list of open, shared, WPA, WPAPSK, WPA2 and WPA2PSK";
  if (!encryptions.is_null() &&
      !(encryptions.is_array() && std::all_of(encryptions.begin(), encryptions.end(), [](const Json& w) {
          return w.is_string() && IsWordOf(w, kEncryptions);
        })))
    return where + ".adapter.encryptions is not a list of none, WEP, TKIP and AES";
  const Json& connecting = MemberOrNull(entry, "connecting");
  if (connecting.is_null()) return "";
  if (!connecting.is_object()) return where + ".connecting is not an object";
  std::string problem = CheckStrings(connecting, {"profile"}, where + ".connecting.");
  if (problem.empty()) problem = CheckNumbers(connecting, {"untilTick"}, where + ".connecting.");
  return problem;
}

static std::string CheckInterface(const Json& entry, const std::string& where, UINT codePage) {
  if (!entry.is_object()) return where + " is not an object";
  std::string problem = CheckStrings(entry, {"guid", "description", "state", "connectedTo"}, where + ".");
  if (problem.empty())
    problem = CheckNumbers(
        entry,
        {"profileListError", "setError", "queryError", "scanError", "networkListError", "connectError", "connectMs"},
        where + ".");
  if (problem.empty()) problem = CheckRadio(entry, where, codePage);
  if (!problem.empty()) return problem;
  GUID guid;
  const Json& guidText = MemberOrNull(entry, "guid");
  if (guidText.is_string() && !ParseGuid(guidText.get<std::string>(), guid))
    return where + ".guid '" + guidText.get<std::string>() + "' is not a braced GUID";
  const std::string state = StringMember(entry, "state");
  if (!state.empty() && state != "connected" && state != "authenticating" && state != "disconnected")
    return where + ".state is neither \"connected\", \"authenticating\" nor \"disconnected\"";
  const Json& profiles = MemberOrNull(entry, "profiles");
  if (!profiles.is_null() && !profiles.is_array()) return where + ".profiles is not a list";
  bool connectedToHeld = false, connectingHeld = false;
  for (size_t p = 0; profiles.is_array() && p < profiles.size(); ++p) {
    const std::string at = where + ".profiles[" + std::to_string(p) + "]";
    if (!profiles[p].is_object()) return at + " is not an object";
    problem = CheckStrings(profiles[p], {"name", "xml"}, at + ".");
    if (problem.empty()) problem = CheckNumbers(profiles[p], {"deleteError", "getError", "positionError"}, at + ".");
    if (!problem.empty()) return problem;
    connectedToHeld |= StringMember(profiles[p], "name") == StringMember(entry, "connectedTo");
    connectingHeld |= StringMember(profiles[p], "name") == StringMember(MemberOrNull(entry, "connecting"), "profile");
  }
  if ((state == "connected" || state == "authenticating") && !connectedToHeld)
    return where + ".connectedTo names no profile of the interface";
  if (MemberOrNull(entry, "connecting").is_object() && !connectingHeld)
    return where + ".connecting.profile names no profile of the interface";
  return "";
}

static std::string CheckWlan(const Json& wlan, UINT codePage) {
  if (wlan.is_null()) return "";
  if (!wlan.is_object()) return "wlan is not an object";
  std::string problem = CheckNumbers(wlan, {"openError", "enumError", "reasonError", "interfacesFromTick"}, "wlan.");
  if (!problem.empty()) return problem;
  const Json& interfaces = MemberOrNull(wlan, "interfaces");
  if (interfaces.is_null()) return "";
  if (!interfaces.is_array()) return "wlan.interfaces is not a list";
  for (size_t i = 0; i < interfaces.size(); ++i) {
    problem = CheckInterface(interfaces[i], "wlan.interfaces[" + std::to_string(i) + "]", codePage);
    if (!problem.empty()) return problem;
  }
  return "";
}

static std::string CheckRegistry(const Json& registry) {
  if (registry.is_null()) return "";
  if (!registry.is_object()) return "registry is not an object";
  for (const auto& key : registry.items()) {
    const std::string where = "registry key '" + key.key() + "'";
    if (!key.value().is_object()) return where + " is not an object";
    for (const auto& value : key.value().items()) {
      const std::string at = where + " value '" + value.key() + "'";
      const std::string type = StringMember(value.value(), "type");
      const Json& data = MemberOrNull(value.value(), "data");
      if (type == "REG_DWORD") {
        if (!data.is_null() && !IsWord(data) && !(data.is_string() && IsHexBytes(data.get<std::string>())))
          return at + " holds neither a 32-bit number nor hex bytes";
      } else if (type == "REG_BINARY") {
        if (!data.is_null() && !(data.is_string() && IsHexBytes(data.get<std::string>())))
          return at + " holds no hex bytes";
      } else if (type == "REG_SZ") {
        if (!data.is_null() && !data.is_string()) return at + " holds no string";
      } else {
        return at + " has no type REG_DWORD, REG_BINARY or REG_SZ";
      }
    }
  }
  return "";
}

// A pending phase: the shorthand object, or a list of readings.
static std::string CheckPending(const Json& member, const std::string& where) {
  if (member.is_object()) return CheckNumbers(member, {"queries", "waitHint", "checkPointStep"}, where + ".");
  if (!member.is_array()) return where + " is neither an object nor a list";
  for (size_t i = 0; i < member.size(); ++i) {
    const std::string at = where + "[" + std::to_string(i) + "]";
    if (!member[i].is_object()) return at + " is not an object";
    const std::string problem = CheckNumbers(member[i], {"checkPoint", "waitHint", "queryError"}, at + ".");
    if (!problem.empty()) return problem;
  }
  return "";
}

static std::string CheckServices(const Json& services) {
  if (services.is_null()) return "";
  if (!services.is_object()) return "services is not an object";
  std::set<std::string> names;
  for (const auto& service : services.items()) {
    const std::string where = "services." + service.key();
    // Names differing only in letter case would be one service to the service control manager.
    std::string folded = service.key();
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldAscii);
    if (!names.insert(folded).second) return where + " names a service listed before it";
    if (!service.value().is_object()) return where + " is not an object";
    const Json& stateName = MemberOrNull(service.value(), "state");
    if (!stateName.is_null() && stateName != "stopped" && stateName != "running")
      return where + ".state is neither \"stopped\" nor \"running\"";
    std::string problem =
        CheckNumbers(service.value(), {"openError", "startError", "stopError", "queryError"}, where + ".");
    if (!problem.empty()) return problem;
    for (const char* pending : {"startPending", "stopPending"}) {
      const Json& member = MemberOrNull(service.value(), pending);
      if (member.is_null()) continue;
      problem = CheckPending(member, where + "." + pending);
      if (!problem.empty()) return problem;
    }
  }
  return "";
}

std::string CheckMachine(const Json& machine) {
  if (!machine.is_object()) return "not a JSON object";
  if (StringMember(machine, "format") != kMachineFormat) return std::string("format is not \"") + kMachineFormat + "\"";
  std::string problem = CheckNumbers(machine, {"codePage", "scmError", "tickCount"}, "");
  if (problem.empty()) problem = CheckStrings(machine, {"computerName", "localTime"}, "");
  if (!problem.empty()) return problem;
  int year, month, day, hour, minute, second;
  const std::string localTime = StringMember(machine, "localTime");
  if (!localTime.empty() && !ParseLocalTime(localTime, year, month, day, hour, minute, second))
    return "localTime '" + localTime + "' is not a time of the form YYYY-MM-DDTHH:MM:SS";
  const DWORD codePage = NumberMember(machine, "codePage");
  if (codePage != 0 && !HasCodePage(codePage))  // 0: the default
    return "codePage is not an ANSI code page of XP (874, 932, 936, 949, 950, 1250 to 1258) nor 65001";
  problem = CheckWlan(MemberOrNull(machine, "wlan"), codePage);
  if (problem.empty()) problem = CheckRegistry(MemberOrNull(machine, "registry"));
  if (problem.empty()) problem = CheckServices(MemberOrNull(machine, "services"));
  return problem;
}

}  // namespace standin
