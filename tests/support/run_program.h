// Runs a program as a user would and collects what it printed and its exit code.
#pragma once

#include <map>
#include <string>
#include <vector>

struct ProgramRun {
  std::string out;
  std::string err;
  int exitCode = -1;  // -1 when it did not exit normally
};

// Runs program with the arguments (argument 0 included), the environment of this process
// changed by the given variables (an empty value removes one).
ProgramRun RunProgram(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
                      const std::string& scratchDir);
