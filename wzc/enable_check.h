// Whether -enable took: read back after it, for -deploy.
#pragma once

#include "text/value_list.h"

// Prints a line for each selected interface whose ControlFlags can't be read or lacks one of
// the two bits, and for a WZCSVC that is not running; the number of such failures.
int ReportEnableFailures(const ValueList& limitList);
