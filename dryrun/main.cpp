// tessamin-dryrun: tells, file by file and code page by code page, what XP SP2 would make of
// wireless profile files that tessamin -add stores, each tried on a fresh stand-in machine.
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "dryrun/files.h"
#include "dryrun/trial.h"
#include "platform/standin/text/code_page_table.h"
#include "text/print.h"

static const char kUsage[] =
    "usage: tessamin-dryrun [--code-page N | --code-page all] FILE-OR-FOLDER...\n"
    "Tries each profile file (for a folder, each file that 'tessamin -deploy' would add from it, in\n"
    "its order) as 'tessamin -add' would store it on a fresh Windows XP SP2 machine of the ANSI\n"
    "code page N (default 1252; all: every ANSI code page of XP), and tells what the machine would\n"
    "store, or why it would refuse the file.\n"
    "Exit code: 0 when every file would be stored, 1 when one would be refused or can't be read,\n"
    "2 for a wrong argument or no file.\n";
static const UINT kBaseCodePage = 1252;  // a Western XP's

struct Arguments {
  std::vector<UINT> codePages;
  std::vector<std::string> paths;
  bool help = false;
};

static bool AddCodePages(const std::string& value, std::vector<UINT>& codePages) {
  std::vector<UINT> added;
  if (value == "all") {
    added.assign(std::begin(standin::kAnsiCodePages), std::end(standin::kAnsiCodePages));
  } else {
    char* end = nullptr;
    const unsigned long number = strtoul(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || value[0] == '-' || number > 65535 || !standin::HasCodePage(number)) {
      fprintf(stderr,
              "tessamin-dryrun: '%s' is not an ANSI code page of XP (874, 932, 936, 949, 950, 1250 to 1258), "
              "65001 or all\n",
              value.c_str());
      return false;
    }
    added.push_back(static_cast<UINT>(number));
  }
  for (UINT codePage : added)
    if (std::find(codePages.begin(), codePages.end(), codePage) == codePages.end()) codePages.push_back(codePage);
  return true;
}

static bool ParseArguments(int argc, char** argv, Arguments& arguments) {
  bool optionsEnd = false;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (optionsEnd || word.empty() || word[0] != '-' || word == "-") {
      arguments.paths.push_back(word);
    } else if (word == "--") {
      optionsEnd = true;
    } else if (word == "--help" || word == "-h") {
      arguments.help = true;
    } else if (word.compare(0, 12, "--code-page=") == 0) {
      if (!AddCodePages(word.substr(12), arguments.codePages)) return false;
    } else if (word == "--code-page" && i + 1 < argc) {
      if (!AddCodePages(argv[++i], arguments.codePages)) return false;
    } else {
      fprintf(stderr, "tessamin-dryrun: unknown option or missing value: '%s'\n", word.c_str());
      return false;
    }
  }
  if (arguments.codePages.empty()) arguments.codePages.push_back(kBaseCodePage);
  return true;
}

static void PrintLine(const std::string& path, const std::string& text) {
  const std::string line = NameForLine(path + ": " + text, CP_UTF8) + "\n";
  fwrite(line.data(), 1, line.size(), stdout);
}

static bool SameResult(const Trial& a, const Trial& b) {
  return a.verdict == b.verdict && a.bytes == b.bytes;
}

// One line when every code page gives the same result, else the base code page's and each
// that differs from it, then the notes of those code pages, each once.
static void PrintTrials(const std::string& path, const std::vector<Trial>& trials) {
  size_t base = 0;
  for (size_t i = 0; i < trials.size(); ++i)
    if (trials[i].codePage == kBaseCodePage) base = i;
  bool allSame = true;
  for (const Trial& trial : trials) allSame = allSame && SameResult(trial, trials[base]);
  std::vector<const Trial*> shown = {&trials[base]};
  for (const Trial& trial : trials)
    if (!SameResult(trial, trials[base])) shown.push_back(&trial);
  std::vector<std::string> notes;
  for (const Trial* trial : shown) {
    const std::string codePage = std::to_string(trial->codePage);
    if (allSame) {
      PrintLine(path,
                trial->verdict + (trial->bytes.empty() ? "" : " (code page " + codePage + ": " + trial->bytes + ")"));
    } else {
      PrintLine(path, "code page " + codePage + ": " + trial->verdict +
                          (trial->bytes.empty() ? "" : " (" + trial->bytes + ")"));
    }
    for (const std::string& note : trial->notes)
      if (std::find(notes.begin(), notes.end(), note) == notes.end()) notes.push_back(note);
  }
  for (const std::string& note : notes) PrintLine(path, "note: " + note);
  fflush(stdout);
}

int main(int argc, char** argv) {
  Arguments arguments;
  if (!ParseArguments(argc, argv, arguments)) {
    fputs(kUsage, stderr);
    return 2;
  }
  if (arguments.help) {
    fputs(kUsage, stdout);
    return 0;
  }
  const std::vector<std::string> files = ProfilePaths(arguments.paths);
  if (files.empty()) {
    fputs(arguments.paths.empty() ? kUsage : "tessamin-dryrun: no profile file to try\n", stderr);
    return 2;
  }
  // Lines a closed pipe does not take are lost, not the run: its exit code still tells.
  signal(SIGPIPE, SIG_IGN);
  bool allStored = true;
  for (const std::string& path : files) {
    const ProfileFile file = ReadTrialFile(path);
    std::vector<Trial> trials(arguments.codePages.size());
    for (size_t i = 0; i < trials.size(); ++i) {
      if (!TryProfile(file, arguments.codePages[i], trials[i])) return 2;
    }
    PrintTrials(path, trials);
    for (const Trial& trial : trials) allStored = allStored && trial.stored;
  }
  return allStored ? 0 : 1;
}
