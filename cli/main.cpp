#include <string>
#include <vector>

#include "cli/driver.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  std::vector<std::string> words = CommandLineWords(argc, argv);
  std::vector<char*> vector;
  for (std::string& word : words) vector.push_back(&word[0]);
  vector.push_back(nullptr);
  return RunTool(static_cast<int>(words.size()), vector.data());
}
