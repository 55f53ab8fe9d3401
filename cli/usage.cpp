#include "cli/usage.h"

#include "text/print.h"

void PrintUsage() {
  static const char kUsage[] =
      "\nDemonstrates some simple uses of the Windows Native Wifi API.  This program\n"
      "requires Windows XP SP2, Microsoft Core XML Services (MSXML) 6.0, WLAN API for Windows XP SP2 "
      "Beta, and KB893357.\n\n"
      "See README.TXT for links and further information.\n\n"
      "Options:\n"
      " -Enable  Enable the wireless interfaces specified by limit.  If no limit\n"
      "          specified, enable all wireless interfaces.  This option effectively\n"
      "          checks the \"Use Windows to configure my wireless network settings\"\n"
      "          checkbox under the Wireless Network Connection Properties.\n"
      " -Add     Path(s) to an XML file containing the information about the\n"
      "          Wireless Access point that you wish to setup.\n"
      " -Delete  Access Point name(s) that you wish to remove from the profile list.\n"
      " -Nics    List wireless interfaces by their description and GUID.\n"
      " -Aps     List access points by AP name.\n"
      " -Limit   GUID of the interface(s) to limit the additions, deletions, and\n"
      "          access point listings to.  The default is to use all interfaces.\n"
      " -Help    Displays the command line arguments and sample usage (this screen.)\n\n"
      "Sample Usage:\n"
      "Delete access point from all interfaces:\n\ttessamin.exe -delete SAMPLE-AP\n\n"
      "Delete multiple access points from a specific interface:\n"
      "\ttessamin.exe -delete SAMPLE-AP1 SAMPLE-AP2 -limit {GUID}\n\n"
      "Add multiple profiles:\n\ttessamin.exe -add \"C:\\profile1.xml\" \"C:\\profile2.xml\"\n\n"
      "List access points:\n\ttessamin.exe -aps\n";
  Print(kUsage);
}
