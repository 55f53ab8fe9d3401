// What -deploy does with Native Wifi: the profile files of a folder, found with the platform's
// wide-character calls, and the interfaces to add them to, waited for when none is listed yet.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "text/value_list.h"

// The names of the folder's files ending in .xml in any letter case, hidden and system files
// included, in name order; 0, or the error that kept the folder from being listed.
DWORD ListProfileFiles(const WideString& folder, std::vector<WideString>& names);

// A new Native Wifi session, listed again every few seconds for up to a minute until it holds
// every interface -limit names, or any interface without -limit (an adapter XP lists late, as
// after a restart of WZCSVC). The number of selected interfaces, or -1 when Native Wifi could
// not be started at all.
int AwaitSelectedInterfaces(const ValueList& limitList);
// The -limit values that name no interface of the session.
ValueList UnlistedInterfaces(const ValueList& limitList);

// Stores the profile text on every selected interface, printing -add's line for each; the
// number of interfaces that stored it.
int OfferProfile(const std::string& path, const WideString& wideProfileText, const ValueList& limitList);
