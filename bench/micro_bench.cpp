// Micro-benchmarks of the command-line parser, the GUID text and the selection walk.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "cli/driver.h"
#include "cli/options.h"
#include "wlan/session.h"

static void ParseTypicalCommandLine(benchmark::State& state) {
  std::vector<std::string> words = {"tessamin", "-delete",   "SAMPLE-AP1", "SAMPLE-AP2",
                                    "-add",     "C:\\a.xml", "-limit",     "{A1B2C3D-1-ABC-8D9E-AF0123456789}",
                                    "-aps",     "-nics"};
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(&word[0]);
  OptionMap options;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseOptions(options, static_cast<int>(argv.size()), argv.data()));
    benchmark::DoNotOptimize(BuildLimitList(options));
  }
}
BENCHMARK(ParseTypicalCommandLine);

static void ParseManyValues(benchmark::State& state) {
  std::vector<std::string> words = {"tessamin", "-delete"};
  for (int i = 0; i < state.range(0); ++i) words.push_back("profile-" + std::to_string(i));
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(&word[0]);
  OptionMap options;
  for (auto _ : state) benchmark::DoNotOptimize(ParseOptions(options, static_cast<int>(argv.size()), argv.data()));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(ParseManyValues)->Range(16, 16384)->Complexity();

static void FormatGuidText(benchmark::State& state) {
  GUID guid = {0x0A1B2C3D, 0x0001, 0x0ABC, {0x8D, 0x9E, 0xAF, 0x01, 0x23, 0x45, 0x67, 0x89}};
  for (auto _ : state) {
    benchmark::DoNotOptimize(GuidToText(guid));
    ++guid.Data1;
  }
}
BENCHMARK(FormatGuidText);

// The walk every selecting action makes: GUID text per interface, then the -limit test.
static void SelectionWalk(benchmark::State& state) {
  std::vector<GUID> interfaces(100);
  for (size_t i = 0; i < interfaces.size(); ++i) interfaces[i] = {0x0A000000u + static_cast<uint32_t>(i), 1, 2, {3}};
  ValueList limitList;
  for (int i = 0; i < state.range(0); ++i) limitList.push_back(GuidToText(interfaces[i * 7 % 100]));
  for (auto _ : state) {
    int selected = 0;
    for (const GUID& guid : interfaces) selected += IsInterfaceSelected(limitList, GuidToText(guid));
    benchmark::DoNotOptimize(selected);
  }
}
BENCHMARK(SelectionWalk)->Arg(0)->Arg(1)->Arg(10);

BENCHMARK_MAIN();
