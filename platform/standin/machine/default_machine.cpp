#include "platform/standin/machine/machine.h"

namespace standin {

// Two adapters, one of them already managed by the service, and a few stored profiles, each
// valid for XP and stored under its SSID; the first adapter is connected to its first profile.
// Each interface sees a few networks: the first, an older adapter without WPA2 and AES, its own
// network, a WPA2/AES network it can't join and an open one without a profile; the second the
// network of its profile, in range but not joined.
static const char kDefaultMachine[] = R"({
  "format": "tessamin-machine/1",
  "codePage": 1252,
  "scmError": 0,
  "wlan": {
    "openError": 0,
    "enumError": 0,
    "interfaces": [
      {
        "guid": "{0A1B2C3D-0001-0ABC-8D9E-AF0123456789}",
        "description": "Wireless Network Adapter",
        "state": "connected",
        "connectedTo": "HomeNet",
        "adapter": { "authentications": ["open", "shared", "WPA", "WPAPSK"], "encryptions": ["none", "WEP", "TKIP"] },
        "networks": [
          { "ssid": "HomeNet", "signal": 82, "authentication": "WPAPSK", "encryption": "TKIP", "key": "correct horse battery" },
          { "ssid": "Office", "signal": 70, "authentication": "WPA2PSK", "encryption": "AES" },
          { "ssid": "Lobby", "signal": 45 }
        ],
        "profiles": [
          { "name": "HomeNet", "xml": "<?xml version=\"1.0\"?><WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\"><name>HomeNet</name><SSIDConfig><SSID><name>HomeNet</name></SSID></SSIDConfig><connectionType>ESS</connectionType><MSM><security><authEncryption><authentication>WPAPSK</authentication><encryption>TKIP</encryption><useOneX>false</useOneX></authEncryption><sharedKey><keyType>passPhrase</keyType><protected>false</protected><keyMaterial>correct horse battery</keyMaterial></sharedKey></security></MSM></WLANProfile>" },
          { "name": "Office", "xml": "<?xml version=\"1.0\"?><WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\"><name>Office</name><SSIDConfig><SSID><name>Office</name></SSID></SSIDConfig><connectionType>ESS</connectionType><MSM><security><authEncryption><authentication>open</authentication><encryption>none</encryption><useOneX>false</useOneX></authEncryption></security></MSM></WLANProfile>" }
        ]
      },
      {
        "guid": "{6F9619FF-8B86-D011-B42D-00C04FC964FF}",
        "description": "Intel(R) PRO/Wireless 2200BG Network Connection",
        "networks": [ { "ssid": "CoffeeShop", "signal": 60 } ],
        "profiles": [
          { "name": "CoffeeShop", "xml": "<?xml version=\"1.0\"?><WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\"><name>CoffeeShop</name><SSIDConfig><SSID><name>CoffeeShop</name></SSID></SSIDConfig><connectionType>ESS</connectionType><MSM><security><authEncryption><authentication>open</authentication><encryption>none</encryption><useOneX>false</useOneX></authEncryption></security></MSM></WLANProfile>" }
        ]
      }
    ]
  },
  "registry": {
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\{0A1B2C3D-0001-0ABC-8D9E-AF0123456789}": {
      "ControlFlags": { "type": "REG_DWORD", "data": 3 }
    },
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\{6F9619FF-8B86-D011-B42D-00C04FC964FF}": {
      "ControlFlags": { "type": "REG_DWORD", "data": 67141632 }
    }
  },
  "services": {
    "WZCSVC": {
      "state": "stopped",
      "startPending": { "queries": 2, "waitHint": 3000, "checkPointStep": 1 },
      "stopPending": { "queries": 1, "waitHint": 1000, "checkPointStep": 1 }
    }
  }
}
)";

Json DefaultMachine() {
  return Json::parse(kDefaultMachine);
}

}  // namespace standin
