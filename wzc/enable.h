#pragma once

#include "text/value_list.h"

// Bits of ControlFlags that hand an interface to Windows' own management.
static const unsigned long WzcEnableMask = 0x04008000;

// Sets WzcEnableMask in each selected interface's ControlFlags, stopping the service once
// before the first write, then asks the service to start. Prints a line for each failure: a
// stop, a write or a start that fails or does not finish. Their number, or -1 when Native
// Wifi can't start.
int EnableInterfaces(ValueList limitList);
