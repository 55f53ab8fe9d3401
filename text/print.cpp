#include "text/print.h"

#include "platform/platform.h"

void Print(const std::string& text) {
  WriteStandardOutput(text.data(), text.size());
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
