// Runs a program as a user would and collects what it printed and its exit code.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

struct ProgramRun {
  std::string out;
  std::string err;
  int exitCode = -1;  // -1 when it did not exit normally
};

// Starts the program with its standard output and error going to the files; its process id.
// An empty outPath: standard output is a pipe whose reader has gone, as after `| head -c 1`.
pid_t StartProgram(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
                   const std::string& outPath, const std::string& errPath);
// Its exit code, or -1 when it did not exit normally.
int WaitProgram(pid_t child);

// Runs program with the arguments (argument 0 included), the environment of this process
// changed by the given variables (an empty value removes one).
ProgramRun RunProgram(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
                      const std::string& scratchDir);

// The blank-separated words of a text; none for null.
std::vector<std::string> SplitWords(const char* text);
