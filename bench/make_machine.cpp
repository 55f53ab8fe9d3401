// Writes a stand-in machine with the given number of interfaces and profiles per interface.
// Usage: make_machine INTERFACES PROFILES OUTPUT
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: make_machine INTERFACES PROFILES OUTPUT\n");
    return 2;
  }
  const int interfaces = atoi(argv[1]), profiles = atoi(argv[2]);
  nlohmann::ordered_json machine;
  machine["format"] = "tessamin-machine/1";
  machine["wlan"]["interfaces"] = nlohmann::ordered_json::array();
  machine["registry"] = nlohmann::ordered_json::object();
  for (int i = 0; i < interfaces; ++i) {
    char guid[39];
    snprintf(guid, sizeof guid, "{%08X-0001-0ABC-8D9E-AF0123456789}", 0x0A000000 + i);
    nlohmann::ordered_json entry = {{"guid", guid}, {"description", "Wireless Adapter " + std::to_string(i)}};
    entry["profiles"] = nlohmann::ordered_json::array();
    for (int p = 0; p < profiles; ++p) {
      const std::string name = p == 0 ? "Shared" : "Net-" + std::to_string(i) + "-" + std::to_string(p);
      // Stored profiles are not checked again, so they stay short: the file keeps the size the
      // benchmark targets were set for.
      entry["profiles"].push_back(
          {{"name", name}, {"xml", "<?xml version=\"1.0\"?><WLANProfile><name>" + name + "</name></WLANProfile>"}});
    }
    machine["wlan"]["interfaces"].push_back(entry);
    machine["registry"][std::string("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\") + guid]
           ["ControlFlags"] = {{"type", "REG_DWORD"}, {"data", 3}};
  }
  machine["services"]["WZCSVC"] = {{"state", "running"},
                                   {"startPending", {{"queries", 3}, {"waitHint", 30000}, {"checkPointStep", 1}}},
                                   {"stopPending", {{"queries", 3}, {"waitHint", 30000}, {"checkPointStep", 1}}}};
  std::ofstream(argv[3]) << machine.dump(2) << "\n";
  return 0;
}
