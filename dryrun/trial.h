// One profile file tried on one code page: a fresh stand-in machine, the file offered to it as
// tessamin -add offers it, and what came of it.
#pragma once

#include <string>
#include <vector>

#include "dryrun/files.h"
#include "platform/platform.h"

// What XP makes of the file: stores it under the SSID the file means, stores it under another
// (the file is in another encoding than the code page, so the SSID's bytes differ), refuses
// it, or never gets it (-add can't read it, and offers the empty text).
enum Outcome { kStored, kStoredUnderAnotherSsid, kRefused, kUnreadable };

struct Trial {
  UINT codePage = 0;
  Outcome outcome = kRefused;
  std::string verdict;    // what the line says after the path
  std::string bytes;      // the stored name in the code page, in hex
  bool plainName = true;  // the stored name is printable ASCII, the same in every code page
  std::vector<std::string> notes;
  std::u16string storedName;   // empty unless stored
  std::u16string meantSsid;    // the SSID the file means, when XP stores another
  std::u16string nameElement;  // what the profile's name element holds
};

inline bool IsStored(const Trial& trial) {
  return trial.outcome == kStored || trial.outcome == kStoredUnderAnotherSsid;
}

// False, after a line on standard error, when the stand-in machine itself fails.
bool TryProfile(const ProfileFile& file, UINT codePage, Trial& trial);
// "code page 1252", or "code pages 874, 932 and 1250 to 1258": three or more in a row as a range.
std::string CodePagesText(const std::vector<UINT>& codePages);
