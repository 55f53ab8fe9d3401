#pragma once

namespace standin {

void ResetClock();
void ResetServices();
void ResetRegistry();
void ResetWlan();

}  // namespace standin
