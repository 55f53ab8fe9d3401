// The option parser and the driver's walks over -limit and action values, on any argument vector.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/driver.h"

static int calls = 0;
static int CountCall(std::string value, ValueList) {
  if (value.empty()) __builtin_trap();  // the walk stops at the first empty value
  ++calls;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Arguments are separated by NUL bytes, as they are in the process's argument block.
  std::vector<std::string> words(1, "tessamin");
  words.emplace_back();
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) words.emplace_back();
    else words.back().push_back(static_cast<char>(data[i]));
  }
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(&word[0]);
  OptionMap options;
  const int count = ParseOptions(options, static_cast<int>(argv.size()), argv.data());
  if (count != static_cast<int>(options.size())) __builtin_trap();
  const ValueList limitList = BuildLimitList(options);
  for (size_t i = 0; i < limitList.size(); ++i) {
    if (limitList[i].empty()) __builtin_trap();
    for (size_t j = i + 1; j < limitList.size(); ++j) {
      if (limitList[i] == limitList[j]) __builtin_trap();
    }
  }
  for (const char* name : {"-delete", "-add"}) {
    // Every value up to the first empty one, and nothing more, is handed to the action.
    int expected = 0;
    const OptionMap::const_iterator entry = options.find(name);
    if (entry != options.end()) {
      while (expected < static_cast<int>(entry->second.size()) && !entry->second[expected].empty()) ++expected;
    }
    calls = 0;
    const bool ran = RunForEachValue(options, name, CountCall, limitList);
    if (calls != expected || ran != (expected > 0)) __builtin_trap();
  }
  return 0;
}
