// Runs a command several times and prints its best and median wall time and its peak RSS.
// Usage: measure RUNS OUTPUT-FILE-OR-- COMMAND [ARG...]; output goes to the file (or /dev/null
// for "-"). With MEASURE_RESET=PATH=SOURCE the file SOURCE is copied over PATH before each run.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

static double Now() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

static void ResetFile() {
  const char* reset = getenv("MEASURE_RESET");
  if (reset == nullptr) return;
  const std::string setting = reset;
  const size_t equals = setting.find('=');
  std::ifstream in(setting.substr(equals + 1), std::ios::binary);
  std::ofstream out(setting.substr(0, equals), std::ios::binary | std::ios::trunc);
  out << in.rdbuf();
}

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  const int runs = atoi(argv[1]);
  const std::string output = strcmp(argv[2], "-") == 0 ? "/dev/null" : argv[2];
  std::vector<double> times;
  long peakKb = 0;
  for (int run = 0; run < runs; ++run) {
    ResetFile();
    const double start = Now();
    const pid_t child = fork();
    if (child == 0) {
      const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(fd, 1);
      execvp(argv[3], argv + 3);
      _exit(127);
    }
    int status = 0;
    rusage usage;
    wait4(child, &status, 0, &usage);
    times.push_back(Now() - start);
    peakKb = std::max(peakKb, usage.ru_maxrss);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      fprintf(stderr, "measure: %s failed\n", argv[3]);
      return 1;
    }
  }
  std::sort(times.begin(), times.end());
  printf("%.6f %.6f %ld\n", times.front(), times[times.size() / 2], peakKb);
  return 0;
}
