// The option parser and the driver's walks over -limit and action values, on any argument vector,
// and the stand-in's conversion of each word from the host's UTF-8 to every code page.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "cli/driver.h"
#include "platform/standin/api/command_line.h"
#include "platform/standin/text/code_page_table.h"

// A word comes out no longer than it went in, without a NUL, and as it stands when it is ASCII.
static void CheckConversions(const std::string& word) {
  bool ascii = true;
  for (char byte : word) ascii = ascii && static_cast<unsigned char>(byte) < 0x80;
  std::vector<UINT> codePages(std::begin(standin::kAnsiCodePages), std::end(standin::kAnsiCodePages));
  codePages.push_back(CP_UTF8);
  for (UINT codePage : codePages) {
    const std::string converted = standin::CommandLineWord(word, codePage);
    if (converted.size() > word.size() || converted.find('\0') != std::string::npos) __builtin_trap();
    if ((ascii || codePage == CP_UTF8) && converted != word) __builtin_trap();
  }
}

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
  for (std::string& word : words) {
    CheckConversions(word);
    argv.push_back(&word[0]);
  }
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
