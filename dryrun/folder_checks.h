// What tessamin -deploy meets in a folder beyond each file's own verdict: files that XP stores
// under one name, of which only the last added stays, and names in ORDER.TXT that no file of
// the folder stores, which -deploy can't put in order.
#pragma once

#include <string>
#include <vector>

#include "dryrun/trial.h"

struct TriedFile {
  std::string path;
  std::vector<Trial> trials;  // one per code page tried, in the same order for every file
};

// The folder's problems, each the text of one line; with several code pages tried, each
// begins with the code pages that give it.
std::vector<std::string> FolderProblems(const std::string& folder, const std::vector<TriedFile>& files);
