#include "text/print.h"

#include "platform/platform.h"

void Print(const std::string& text) {
  WriteStandardOutput(text.data(), text.size());
}
