#include "platform/standin/control.h"

#include "platform/standin/machine.h"
#include "platform/standin/resets.h"
#include "platform/standin/trace.h"

void StandinReset() {
  standin::ResetWlan();
  standin::ResetRegistry();
  standin::ResetServices();
  standin::ResetClock();
  standin::CloseTrace();
  standin::ForgetMachine();
}
