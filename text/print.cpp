#include "text/print.h"

#include "platform/platform.h"

static OutputCopy outputCopy = nullptr;

void Print(const std::string& text) {
  WriteStandardOutput(text.data(), text.size());
  if (outputCopy != nullptr) outputCopy(text);
}

void SetOutputCopy(OutputCopy copy) {
  outputCopy = copy;
}
