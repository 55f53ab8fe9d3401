// Members misspelt only in letter case ("codepage", "Interfaces"): the stand-in reads members
// by their exact names, so such a member would silently leave its default in force.
#include <cstdio>
#include <string>

#include "platform/standin/machine/machine.h"

namespace standin {

static const char* const kMachineMembers[] = {"format",    "codePage", "scmError", "tickCount", "computerName",
                                              "localTime", "wlan",     "registry", "services"};
static const char* const kWlanMembers[] = {"openError", "enumError", "reasonError", "interfacesFromTick", "interfaces"};
static const char* const kInterfaceMembers[] = {"guid",         "description", "profileListError", "profiles",
                                                "state",        "connectedTo", "queryError",       "setError",
                                                "networks",     "adapter",     "scanError",        "networkListError",
                                                "connectError", "connectMs",   "connecting"};
static const char* const kNetworkMembers[] = {"ssid",           "ssidHex",    "bssType", "signal",
                                              "authentication", "encryption", "key",     "connectReason"};
static const char* const kAdapterMembers[] = {"authentications", "encryptions"};
static const char* const kConnectingMembers[] = {"profile", "untilTick"};
static const char* const kProfileMembers[] = {"name", "xml", "deleteError", "getError", "positionError"};
static const char* const kValueMembers[] = {"type", "data"};
static const char* const kServiceMembers[] = {"state",      "openError",    "startError", "stopError",
                                              "queryError", "startPending", "stopPending"};
static const char* const kPendingMembers[] = {"queries", "waitHint", "checkPointStep", "checkPoint", "queryError"};

template <size_t N>
static void ReportMembers(const std::string& path, const Json& object, const char* const (&known)[N],
                          const std::string& where) {
  if (!object.is_object()) return;
  for (const auto& member : object.items()) {
    for (const char* name : known) {
      if (member.key() == name || !SameNameIgnoringCase(member.key(), name)) continue;
      fprintf(stderr, "tessamin: machine file '%s': member '%s%s' is not used: the member is spelt '%s'\n",
              path.c_str(), where.c_str(), member.key().c_str(), name);
    }
  }
}

template <size_t N>
static void ReportEach(const std::string& path, const Json& list, const char* const (&known)[N],
                       const std::string& where) {
  for (size_t i = 0; list.is_array() && i < list.size(); ++i)
    ReportMembers(path, list[i], known, where + "[" + std::to_string(i) + "].");
}

// The machine has passed CheckMachine: registry, services and their entries are objects or null.
void ReportMisspeltMembers(const std::string& path, const Json& machine) {
  ReportMembers(path, machine, kMachineMembers, "");
  const Json& wlan = MemberOrNull(machine, "wlan");
  ReportMembers(path, wlan, kWlanMembers, "wlan.");
  const Json& interfaces = MemberOrNull(wlan, "interfaces");
  ReportEach(path, interfaces, kInterfaceMembers, "wlan.interfaces");
  for (size_t i = 0; interfaces.is_array() && i < interfaces.size(); ++i) {
    const std::string where = "wlan.interfaces[" + std::to_string(i) + "].";
    ReportEach(path, MemberOrNull(interfaces[i], "profiles"), kProfileMembers, where + "profiles");
    ReportEach(path, MemberOrNull(interfaces[i], "networks"), kNetworkMembers, where + "networks");
    ReportMembers(path, MemberOrNull(interfaces[i], "adapter"), kAdapterMembers, where + "adapter.");
    ReportMembers(path, MemberOrNull(interfaces[i], "connecting"), kConnectingMembers, where + "connecting.");
  }
  const Json& registry = MemberOrNull(machine, "registry");
  for (const auto& key : registry.items()) {
    for (const auto& value : key.value().items())
      ReportMembers(path, value.value(), kValueMembers, "registry['" + key.key() + "']['" + value.key() + "'].");
  }
  const Json& services = MemberOrNull(machine, "services");
  for (const auto& service : services.items()) {
    const std::string where = "services." + service.key() + ".";
    ReportMembers(path, service.value(), kServiceMembers, where);
    for (const char* pending : {"startPending", "stopPending"}) {
      const Json& phase = MemberOrNull(service.value(), pending);
      ReportMembers(path, phase, kPendingMembers, where + pending + ".");
      ReportEach(path, phase, kPendingMembers, where + pending);
    }
  }
}

}  // namespace standin
