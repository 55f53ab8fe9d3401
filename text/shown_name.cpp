#include "text/shown_name.h"

std::string ShownName(const std::string& name) {
  std::string shown;
  for (char byte : name) {
    if (byte == '\n') shown += "\\x0A";
    else if (byte == '\r') shown += "\\x0D";
    else shown += byte;
  }
  return shown;
}
