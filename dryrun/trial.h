// One profile file tried on one code page: a fresh stand-in machine, the file offered to it as
// tessamin -add offers it, and what came of it.
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

ProfileFile ReadTrialFile(const std::string& path);

struct Trial {
  UINT codePage = 0;
  bool stored = false;
  std::string verdict;  // "stored as 'NAME'" or "refused: ..."
  std::string bytes;    // the stored name in the code page, in hex, when it is not printable ASCII
  std::vector<std::string> notes;
};

// The machine lives in a folder of its own, made by StartTrials and removed by EndTrials,
// also when the run is interrupted. False, after a line on standard error, when it can't be.
bool StartTrials();
void EndTrials();
// False, after a line on standard error, when the stand-in machine itself fails.
bool TryProfile(const ProfileFile& file, UINT codePage, Trial& trial);
