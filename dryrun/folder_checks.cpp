#include "dryrun/folder_checks.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "dryrun/files.h"
#include "files/folders.h"
#include "platform/standin/text/code_page.h"
#include "platform/standin/text/unicode.h"
#include "wlan/order_file.h"

namespace {

// A problem's text and the code pages that give it, in the order they were tried.
typedef std::vector<std::pair<std::string, std::vector<UINT>>> Problems;

void Add(Problems& problems, const std::string& text, UINT codePage) {
  for (auto& problem : problems) {
    if (problem.first != text) continue;
    problem.second.push_back(codePage);
    return;
  }
  problems.push_back({text, {codePage}});
}

std::string Quoted(const std::u16string& name) {
  return "'" + standin::Utf16ToUtf8(name) + "'";
}

std::string FileName(const std::string& path) {
  return path.substr(path.find_last_of('/') + 1);
}

// Several stored under one name: -deploy adds them in their order, each replacing the one before.
void AddSameNames(const std::vector<TriedFile>& files, size_t page, Problems& problems) {
  std::vector<std::pair<std::u16string, std::vector<std::string>>> names;
  for (const TriedFile& file : files) {
    const Trial& trial = file.trials[page];
    if (!IsStored(trial)) continue;
    auto entry =
        std::find_if(names.begin(), names.end(), [&](const auto& name) { return name.first == trial.storedName; });
    if (entry == names.end()) entry = names.insert(names.end(), {trial.storedName, {}});
    entry->second.push_back(FileName(file.path));
  }
  for (const auto& name : names) {
    if (name.second.size() < 2) continue;
    std::string list;
    for (size_t i = 0; i < name.second.size(); ++i)
      list += (i == 0 ? "" : i + 1 == name.second.size() ? " and " : ", ") + name.second[i];
    Add(problems,
        Quoted(name.first) + " is stored from " + list + ": -deploy adds them in this order, and only the profile of " +
            name.second.back() + " stays on the machine",
        files[0].trials[page].codePage);
  }
}

// Each name of ORDER.TXT compared as -deploy compares it: read in the code page, against the
// names stored.
void AddUnstoredOrderNames(const std::vector<TriedFile>& files, size_t page, const ValueList& order,
                           const std::vector<int>& lines, Problems& problems) {
  const UINT codePage = files[0].trials[page].codePage;
  for (size_t i = 0; i < order.size(); ++i) {
    const std::u16string wanted = standin::DecodeBytes(codePage, order[i].data(), order[i].size());
    const auto stores = [&](const TriedFile& file) {
      return IsStored(file.trials[page]) && file.trials[page].storedName == wanted;
    };
    if (std::any_of(files.begin(), files.end(), stores)) continue;
    std::string text = std::string(kOrderFileName) + " line " + std::to_string(lines[i]) + ": no file stores " +
                       Quoted(wanted) + ", so -deploy can't put it in order";
    for (const TriedFile& file : files) {
      const Trial& trial = file.trials[page];
      if (!IsStored(trial) || trial.nameElement != wanted) continue;
      text += "; " + FileName(file.path) + " has it as its name element, but XP stores that profile as " +
              Quoted(trial.storedName);
      break;
    }
    Add(problems, text, codePage);
  }
}

}  // namespace

std::vector<std::string> FolderProblems(const std::string& folder, const std::vector<TriedFile>& files) {
  if (files.empty()) return {};
  ValueList order;
  std::vector<int> lines;
  WideString wideFolder;
  const WideString orderName(kOrderFileName, kOrderFileName + strlen(kOrderFileName));
  const DWORD orderError = HostPathToWide(folder, wideFolder)
                               ? ReadOrderFile(JoinPath(wideFolder, orderName), order, &lines)
                               : static_cast<DWORD>(ERROR_FILE_NOT_FOUND);
  Problems problems;
  for (size_t page = 0; page < files[0].trials.size(); ++page) {
    AddSameNames(files, page, problems);
    if (orderError == ERROR_SUCCESS) AddUnstoredOrderNames(files, page, order, lines, problems);
    else if (orderError != ERROR_FILE_NOT_FOUND)
      Add(problems, std::string(kOrderFileName) + " cannot be read: " + ReadErrorText(orderError),
          files[0].trials[page].codePage);
  }
  std::vector<std::string> texts;
  for (const auto& problem : problems)
    texts.push_back((files[0].trials.size() > 1 ? CodePagesText(problem.second) + ": " : "") + problem.first);
  return texts;
}
