// One profile file tried on one code page: a fresh stand-in machine, the file offered to it as
// tessamin -add offers it, and what came of it.
#pragma once

#include <string>
#include <vector>

#include "dryrun/files.h"
#include "platform/platform.h"

struct Trial {
  UINT codePage = 0;
  bool stored = false;
  std::string verdict;  // "stored as 'NAME'" or "refused: ..."
  std::string bytes;    // the stored name in the code page, in hex, when it is not printable ASCII
  std::vector<std::string> notes;
};

// False, after a line on standard error, when the stand-in machine itself fails.
bool TryProfile(const ProfileFile& file, UINT codePage, Trial& trial);
