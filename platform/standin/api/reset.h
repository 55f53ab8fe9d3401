// For what drives the stand-in inside its own process: tests, and tessamin-dryrun.
#pragma once

// Forgets all that this process holds of the stand-in machine: the machine read, open
// handles, pending service states, the virtual clock and the trace file. The next platform
// call reads TESSAMIN_MACHINE and TESSAMIN_TRACE again.
void StandinReset();

namespace standin {

// Each part's share of StandinReset.
void ResetClock();
void ResetServices();
void ResetRegistry();
void ResetWlan();
void ResetFiles();
void ResetSystem();

}  // namespace standin
