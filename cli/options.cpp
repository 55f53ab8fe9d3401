#include "cli/options.h"

#include <cctype>
#include <cstring>

static bool IsOptionWord(const char* word) {
  return word[0] == '-' && word[1] != '\0' && !isdigit(static_cast<unsigned char>(word[1]));
}

int ParseOptions(OptionMap& options, int argc, char** argv) {
  options.clear();
  std::string current;
  for (int i = 1; i < argc; ++i) {
    if (IsOptionWord(argv[i])) {
      current = argv[i];
      std::string candidate;
      if (i + 1 < argc && !IsOptionWord(argv[i + 1])) {
        candidate = argv[i + 1];
        ++i;
      }
      ValueList& values = options[current];
      if (!candidate.empty()) values.push_back(candidate);
    } else {
      OptionMap::iterator entry = options.find(current);
      if (entry != options.end()) entry->second.push_back(argv[i]);
    }
  }
  return static_cast<int>(options.size());
}

bool HasOption(const OptionMap& options, const char* name) {
  return options.find(name) != options.end();
}

std::string OptionValue(const OptionMap& options, const char* name, int index) {
  OptionMap::const_iterator entry = options.find(name);
  if (entry == options.end() || index < 0) return std::string();
  const ValueList& values = entry->second;
  if (static_cast<size_t>(index) >= values.size()) return std::string();
  return values[index];
}
