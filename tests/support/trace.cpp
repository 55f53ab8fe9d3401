#include "tests/support/trace.h"

#include "tests/support/temp_dir.h"

std::vector<std::string> TraceCalls(const std::string& tracePath, std::initializer_list<const char*> names) {
  std::vector<std::string> calls;
  for (const std::string& line : ReadLines(tracePath)) {
    for (const char* name : names) {
      if (line.rfind(std::string(name) + " ", 0) == 0 || line == name) calls.push_back(line);
    }
  }
  return calls;
}

int FindCall(const std::vector<std::string>& calls, const std::string& prefix, int from) {
  for (size_t i = from < 0 ? 0 : static_cast<size_t>(from); i < calls.size(); ++i) {
    if (calls[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
  }
  return -1;
}
