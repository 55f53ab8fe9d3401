// Why a profile file fares as it does on a code page: what the dry run says beside its verdict.
#pragma once

#include <string>
#include <vector>

#include "dryrun/trial.h"

// Adds to the trial the notes on what the stand-in was offered (text: the file read in the
// code page) and what it answered (WlanSetProfile's result and reason code), and what the file
// means: the SSID it means, when XP stores another, and its name element.
void AddNotes(const ProfileFile& file, const std::u16string& text, DWORD reason, DWORD result, Trial& trial);
