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

std::string StandinUseMachine(const std::string& json) {
  StandinReset();
  standin::Json machine = standin::Json::parse(json, nullptr, false);
  if (machine.is_discarded()) return "not valid JSON";
  return standin::UseMachineInMemory(std::move(machine));
}
