// The log of a run (-log LOGFOLDER): LOGFOLDER\COMPUTERNAME.log, appended to, holding a first
// line with the computer's name, the local time and the tool's version, every line the run
// prints, and a last line with the exit code and its meaning. Every write is checked: when the
// log can't be opened or a write fails, the rest of the run goes to %TEMP%\tessamin-deploy.log,
// and when that fails too, to standard output alone. Logging never changes what a run does.
#pragma once

#include <string>

void OpenRunLog(const std::string& logFolder);
// Writes the last line and closes the log; nothing when no log is kept.
void CloseRunLog(int exitCode, const std::string& meaning);
// The copy of printed text that the log receives.
void CopyToLog(const std::string& text);

// The computer's name in the ANSI code page, and the local time as YYYY-MM-DD HH:MM:SS.
std::string ComputerName();
std::string LocalTimeText();
