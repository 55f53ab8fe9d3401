#include "tests/support/machines.h"

const char kGuidA[] = "{0A1B2C3D-0001-0ABC-8D9E-AF0123456789}";
const char kGuidTextA[] = "{A1B2C3D-1-ABC-8D9E-AF0123456789}";
const char kGuidB[] = "{6F9619FF-8B86-D011-B42D-00C04FC964FF}";

std::string InterfaceKey(const std::string& guid) {
  return "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\" + guid;
}

std::string ProfileXml(const std::string& name) {
  return "<?xml version=\"1.0\"?>\n<WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">\n"
         "  <name>" +
         name + "</name>\n  <SSIDConfig><SSID><name>" + name +
         "</name></SSID></SSIDConfig>\n"
         "  <connectionType>ESS</connectionType>\n"
         "  <MSM><security><authEncryption><authentication>open</authentication><encryption>none</encryption>"
         "<useOneX>false</useOneX></authEncryption></security></MSM>\n"
         "</WLANProfile>";
}

MachineJson ProfileEntry(const std::string& name) {
  return MachineJson{{"name", name}, {"xml", ProfileXml(name)}};
}

MachineJson InterfaceEntry(const std::string& guid, const std::string& description,
                           std::initializer_list<const char*> profiles) {
  MachineJson entry{{"guid", guid}, {"description", description}, {"profiles", MachineJson::array()}};
  for (const char* name : profiles) entry["profiles"].push_back(ProfileEntry(name));
  return entry;
}

MachineJson BaseMachine() {
  MachineJson machine;
  machine["format"] = "tessamin-machine/1";
  machine["wlan"]["interfaces"] = MachineJson::array();
  machine["registry"] = MachineJson::object();
  machine["services"]["WZCSVC"] = {{"state", "stopped"},
                                   {"startPending", {{"queries", 1}, {"waitHint", 3000}, {"checkPointStep", 1}}},
                                   {"stopPending", {{"queries", 1}, {"waitHint", 1000}, {"checkPointStep", 1}}}};
  return machine;
}

MachineJson WithWzcRunning(MachineJson machine) {
  machine["services"]["WZCSVC"]["state"] = "running";
  return machine;
}

MachineJson TwoInterfaceMachine() {
  MachineJson machine = BaseMachine();
  machine["wlan"]["interfaces"].push_back(InterfaceEntry(kGuidA, "Adapter A", {"HomeNet", "Office"}));
  machine["wlan"]["interfaces"].push_back(InterfaceEntry(kGuidB, "Adapter B", {"CoffeeShop"}));
  return machine;
}

MachineJson DwordValue(unsigned long data) {
  return MachineJson{{"type", "REG_DWORD"}, {"data", data}};
}

void SetControlFlags(MachineJson& machine, const std::string& guid, const MachineJson& value) {
  machine["registry"][InterfaceKey(guid)]["ControlFlags"] = value;
}
