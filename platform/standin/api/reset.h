// For what drives the stand-in inside its own process: tests, and tessamin-dryrun.
#pragma once

#include <string>

// Forgets all that this process holds of the stand-in machine: the machine read, open
// handles, pending service states, the virtual clock and the trace file. The next platform
// call reads TESSAMIN_MACHINE and TESSAMIN_TRACE again.
void StandinReset();
// StandinReset, then the machine is the JSON text, kept in this process alone: no machine file
// is read or written until the next StandinReset. Empty, or why the text is no machine.
std::string StandinUseMachine(const std::string& json);

namespace standin {

// Each part's share of StandinReset.
void ResetClock();
void ResetServices();
void ResetRegistry();
void ResetWlan();
void ResetFiles();
void ResetSystem();

}  // namespace standin
