#include "text/print.h"

#include "platform/platform.h"

static OutputCopy outputCopy = nullptr;

void Print(const std::string& text) {
  WriteStandardOutput(text.data(), text.size());
  if (outputCopy != nullptr) outputCopy(text);
}

void PrintError(DWORD code, const std::string& what) {
  Print(ErrorLine(code, what));
}

std::string ErrorLine(DWORD code, const std::string& what) {
  return " - Error(" + std::to_string(static_cast<int>(code)) + "): Unable to " + what + ".\n";
}

void SetOutputCopy(OutputCopy copy) {
  outputCopy = copy;
}

std::string NameForLine(const std::string& name) {
  std::string shown;
  for (char byte : name) {
    if (byte == '\n') shown += "\\x0A";
    else if (byte == '\r') shown += "\\x0D";
    else shown += byte;
  }
  return shown;
}
