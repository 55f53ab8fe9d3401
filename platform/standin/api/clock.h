// The stand-in's own reading of the clock that GetTickCount reads: not traced.
#pragma once

#include "platform/platform.h"

namespace standin {

DWORD VirtualTicks();

}  // namespace standin
