#include "platform/standin/api/reset.h"

#include "platform/standin/machine/machine.h"
#include "platform/standin/machine/trace.h"

void StandinReset() {
  standin::ResetWlan();
  standin::ResetRegistry();
  standin::ResetServices();
  standin::ResetFiles();
  standin::ResetSystem();
  standin::ResetClock();
  standin::CloseTrace();
  standin::ForgetMachine();
}
