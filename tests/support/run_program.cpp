#include "tests/support/run_program.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/support/temp_dir.h"

extern char** environ;

pid_t StartProgram(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
                   const std::string& outPath, const std::string& errPath) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    if (env.count(text.substr(0, text.find('='))) == 0) environment.push_back(text);
  }
  for (const auto& variable : env) {
    if (!variable.second.empty()) environment.push_back(variable.first + "=" + variable.second);
  }
  std::vector<char*> args, envp;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
  envp.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    int out = -1, ends[2];
    if (!outPath.empty()) out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    else if (pipe(ends) == 0 && close(ends[0]) == 0) out = ends[1];
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, 1);
    dup2(err, 2);
    execvpe(args[0], args.data(), envp.data());
    _exit(127);
  }
  return child;
}

int WaitProgram(pid_t child) {
  int status = 0;
  if (child <= 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

ProgramRun RunProgram(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
                      const std::string& scratchDir) {
  const std::string outPath = scratchDir + "/.stdout", errPath = scratchDir + "/.stderr";
  ProgramRun run;
  run.exitCode = WaitProgram(StartProgram(argv, env, outPath, errPath));
  run.out = ReadFile(outPath);
  run.err = ReadFile(errPath);
  return run;
}

std::vector<std::string> SplitWords(const char* text) {
  std::vector<std::string> words;
  std::string word;
  for (const char* c = text ? text : "";; ++c) {
    if (*c == ' ' || *c == '\0') {
      if (!word.empty()) words.push_back(word);
      word.clear();
      if (*c == '\0') break;
    } else {
      word.push_back(*c);
    }
  }
  return words;
}
