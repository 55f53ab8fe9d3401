// Setting the order of preference of stored profiles (-order, and -deploy's ORDER.TXT).
#pragma once

#include "text/value_list.h"

// On each selected interface, moves the named profiles it holds to the top of its list in the
// order given, printing a line for each name; the number of error lines. XP keeps every
// infrastructure profile before every ad hoc one (named SSID-adhoc), so the ad hoc names go
// to the top of the ad hoc profiles. The Native Wifi session must be started.
int MoveProfiles(const ValueList& names, const ValueList& limitList);
