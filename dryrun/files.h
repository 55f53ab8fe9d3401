// The files a dry run tries, named by host paths as a Linux program's command line names them:
// a folder stands for the profile files that tessamin -deploy adds from it, in the same order,
// and each file is read as tessamin -add reads it.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

// A profile file as tessamin -add reads it.
struct ProfileFile {
  std::string path;
  std::string unreadable;  // why it can't be read; empty when it can
  std::string head;        // its first bytes on disk, for the byte-order marks
  std::string text;        // what -add reads of it (the empty text when it can't be read)
};

// A file to try; folder: the path of the folder it was found in, empty for a path as given.
struct TrialPath {
  std::string path;
  std::string folder;
};
// The files the paths name: each folder's profile files as tessamin -deploy finds them, after a
// line on standard error for a folder that holds none; any other path as it is.
std::vector<TrialPath> ProfilePaths(const std::vector<std::string>& paths);
// The host path as the stand-in's file calls take it; false when it is not UTF-8.
bool HostPathToWide(const std::string& path, WideString& wide);
// Why a file can't be read, from the error of the stand-in's file calls.
std::string ReadErrorText(DWORD error);
ProfileFile ReadTrialFile(const std::string& path);
