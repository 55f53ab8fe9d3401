// Machine files for tests: a small machine to start from and ways to shape it.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

typedef nlohmann::ordered_json MachineJson;

extern const char kGuidA[];      // {0A1B2C3D-0001-0ABC-8D9E-AF0123456789}, with leading zeros
extern const char kGuidTextA[];  // its text as the tool shows it
extern const char kGuidB[];      // {6F9619FF-8B86-D011-B42D-00C04FC964FF}, all digits significant

std::string InterfaceKey(const std::string& guid);
std::string ProfileXml(const std::string& name);
MachineJson ProfileEntry(const std::string& name);
MachineJson InterfaceEntry(const std::string& guid, const std::string& description,
                           std::initializer_list<const char*> profiles = {});
// Service stopped, one WZCSVC start pending query, no interfaces.
MachineJson BaseMachine();
// BaseMachine with interfaces A ("Adapter A": HomeNet, Office) and B ("Adapter B": CoffeeShop).
MachineJson TwoInterfaceMachine();
// The same machine with WZCSVC running, for calling Native Wifi directly: it works only then.
MachineJson WithWzcRunning(MachineJson machine);
void SetControlFlags(MachineJson& machine, const std::string& guid, const MachineJson& value);
MachineJson DwordValue(unsigned long data);
