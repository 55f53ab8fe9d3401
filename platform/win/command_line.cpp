// The C runtime has already turned the command line into words in the ANSI code page.
#include "platform/platform.h"

std::vector<std::string> CommandLineWords(int argc, char** argv) {
  return argc > 0 ? std::vector<std::string>(argv, argv + argc) : std::vector<std::string>();
}
