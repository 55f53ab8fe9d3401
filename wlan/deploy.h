// What -deploy does with Native Wifi: the interfaces to add a folder's profile files to, waited
// for when none is listed yet.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "text/value_list.h"

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
