#include "platform/standin/machine/trace.h"

#include <cstdio>

#include "platform/standin/machine/machine.h"

namespace standin {

static FILE* traceFile = nullptr;
static bool traceChecked = false;

void Trace(const std::string& line) {
  if (!traceChecked) {
    traceChecked = true;
    const std::string path = EnvironmentValue("TESSAMIN_TRACE");
    if (!path.empty()) traceFile = fopen(path.c_str(), "a");
  }
  if (traceFile == nullptr) return;
  const std::string text = line + "\n";
  fwrite(text.data(), 1, text.size(), traceFile);
  fflush(traceFile);
}

void CloseTrace() {
  if (traceFile != nullptr) fclose(traceFile);
  traceFile = nullptr;
  traceChecked = false;
}

std::string Hex32(unsigned long value) {
  char text[16];
  snprintf(text, sizeof text, "0x%08lX", value & 0xFFFFFFFFul);
  return text;
}

}  // namespace standin
