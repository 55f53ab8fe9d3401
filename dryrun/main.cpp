// tessamin-dryrun: tells, file by file and code page by code page, what XP SP2 would make of
// wireless profile files that tessamin -add stores, each tried on a fresh stand-in machine.
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "dryrun/files.h"
#include "dryrun/folder_checks.h"
#include "dryrun/trial.h"
#include "platform/standin/text/code_page_table.h"
#include "text/print.h"

static const char kUsage[] =
    "usage: tessamin-dryrun [--code-page N | --code-page all]... [--allow-65001] FILE-OR-FOLDER...\n"
    "       tessamin-dryrun --help | --version\n"
    "Tries each profile file (for a folder, each file that 'tessamin -deploy' would add from it, in\n"
    "its order) as 'tessamin -add' would store it on a fresh Windows XP SP2 machine of the ANSI\n"
    "code page N (default 1252; all: every ANSI code page of XP; given several times, each of\n"
    "them), and tells what the machine would store, or why it would refuse the file. A folder is\n"
    "then tried as -deploy meets it: files stored under one name, names of its ORDER.TXT that no\n"
    "file stores. --allow-65001 lets code page 65001 (UTF-8) be tried, which no XP machine has.\n"
    "Exit code: 0 when every file would be stored under the SSID it means; 1 when one would be\n"
    "stored under another SSID, refused or not read, or when a folder fails its checks; 2 for a\n"
    "wrong argument or no file.\n";
static const UINT kBaseCodePage = 1252;  // a Western XP's

struct Arguments {
  std::vector<UINT> codePages;
  std::vector<std::string> paths;
  bool help = false;
  bool version = false;
  bool allowUtf8 = false;  // code page 65001, which no XP machine has
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
    } else if (word == "--help" || word == "-help" || word == "-h") {
      arguments.help = true;
    } else if (word == "--version") {
      arguments.version = true;
    } else if (word == "--allow-65001") {
      arguments.allowUtf8 = true;
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
  const bool utf8 =
      std::find(arguments.codePages.begin(), arguments.codePages.end(), CP_UTF8) != arguments.codePages.end();
  if (utf8 && !arguments.allowUtf8 && !arguments.help && !arguments.version) {
    fputs("tessamin-dryrun: no XP machine has code page 65001 (UTF-8); --allow-65001 tries it all the same\n", stderr);
    return false;
  }
  return true;
}

static void PrintLine(const std::string& path, const std::string& text) {
  const std::string line = NameForLine(path + ": " + text, CP_UTF8) + "\n";
  fwrite(line.data(), 1, line.size(), stdout);
}

static bool SameResult(const Trial& a, const Trial& b) {
  return a.verdict == b.verdict && a.bytes == b.bytes;
}

// One line for each result, with the code pages that give it when several were tried, then the
// notes of every code page, each once. A stored name's bytes are shown when any is not plain
// ASCII, then on every line.
static void PrintTrials(const std::string& path, const std::vector<Trial>& trials) {
  std::vector<std::vector<const Trial*>> groups;
  bool bytesShown = false;
  for (const Trial& trial : trials) {
    bytesShown = bytesShown || (IsStored(trial) && !trial.plainName);
    auto group = std::find_if(groups.begin(), groups.end(),
                              [&](const std::vector<const Trial*>& g) { return SameResult(*g[0], trial); });
    if (group == groups.end()) groups.push_back({&trial});
    else group->push_back(&trial);
  }
  for (const std::vector<const Trial*>& group : groups) {
    const Trial& trial = *group[0];
    const bool bytes = bytesShown && IsStored(trial);
    if (trials.size() == 1) {
      PrintLine(path, trial.verdict +
                          (bytes ? " (code page " + std::to_string(trial.codePage) + ": " + trial.bytes + ")" : ""));
      continue;
    }
    std::vector<UINT> codePages;
    for (const Trial* member : group) codePages.push_back(member->codePage);
    PrintLine(path, CodePagesText(codePages) + ": " + trial.verdict + (bytes ? " (" + trial.bytes + ")" : ""));
  }
  // Notes that differ only in the code page they name are one note, naming each.
  std::vector<std::pair<std::string, std::vector<UINT>>> notes;
  for (const Trial& trial : trials) {
    for (std::string note : trial.notes) {
      const std::string named = CodePagesText({trial.codePage});
      for (size_t at; (at = note.find(named)) != std::string::npos;) note.replace(at, named.size(), "\x01");
      auto entry = std::find_if(notes.begin(), notes.end(), [&](const auto& n) { return n.first == note; });
      if (entry == notes.end()) notes.push_back({note, {trial.codePage}});
      else entry->second.push_back(trial.codePage);
    }
  }
  for (auto& note : notes) {
    const std::string named = CodePagesText(note.second);
    for (size_t at; (at = note.first.find('\x01')) != std::string::npos;) note.first.replace(at, 1, named);
    PrintLine(path, "note: " + note.first);
  }
  fflush(stdout);
}

int main(int argc, char** argv) {
  Arguments arguments;
  if (!ParseArguments(argc, argv, arguments)) {
    fputs(kUsage, stderr);
    return 2;
  }
  if (arguments.help || arguments.version) {
    fputs(arguments.help ? kUsage : "tessamin-dryrun " TESSAMIN_VERSION "\n", stdout);
    return 0;
  }
  const std::vector<TrialPath> files = ProfilePaths(arguments.paths);
  if (files.empty()) {
    fputs(arguments.paths.empty() ? kUsage : "tessamin-dryrun: no profile file to try\n", stderr);
    return 2;
  }
  // Lines a closed pipe does not take are lost, not the run: its exit code still tells.
  signal(SIGPIPE, SIG_IGN);
  bool passed = true;
  std::string folder;
  std::vector<TriedFile> folderFiles;
  const auto endFolder = [&] {
    for (const std::string& problem : FolderProblems(folder, folderFiles)) {
      PrintLine(folder, problem);
      passed = false;
    }
    folderFiles.clear();
  };
  for (const TrialPath& entry : files) {
    if (entry.folder != folder) endFolder();
    folder = entry.folder;
    const ProfileFile file = ReadTrialFile(entry.path);
    std::vector<Trial> trials(arguments.codePages.size());
    for (size_t i = 0; i < trials.size(); ++i) {
      if (!TryProfile(file, arguments.codePages[i], trials[i])) return 2;
    }
    PrintTrials(entry.path, trials);
    for (const Trial& trial : trials) passed = passed && trial.outcome == kStored;
    if (!folder.empty()) folderFiles.push_back({entry.path, std::move(trials)});
  }
  endFolder();
  return passed ? 0 : 1;
}
