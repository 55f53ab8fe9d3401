// Why a profile file fares as it does on a code page: what the dry run says beside its verdict.
#pragma once

#include <string>
#include <vector>

#include "dryrun/trial.h"

// text: what the stand-in was offered (the file read in the machine's code page); result and
// reason: WlanSetProfile's answer; stored: the stored name, empty when refused.
std::vector<std::string> Notes(const ProfileFile& file, const std::u16string& text, UINT codePage, DWORD reason,
                               DWORD result, const std::u16string& stored);
