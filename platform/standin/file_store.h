// How the stand-in keeps its machine file on the host: reading, atomic replacement and
// the lock that serialises changes from concurrent runs.
#pragma once

#include <cstdint>
#include <string>

namespace standin {

enum ReadOutcome { kReadDone, kReadMissing, kReadFailed };

ReadOutcome ReadFileBytes(const std::string& path, std::string& content, std::string& error);
// Writes a sibling temporary file, flushes it to disk and renames it over path.
bool ReplaceFileAtomically(const std::string& path, const std::string& content);
bool CreateParentFolders(const std::string& path);
std::string EnvironmentValue(const char* name);

// An exclusive lock held on a file beside the machine file; -1 when none is held.
struct FileLock {
  intptr_t handle = -1;
};
bool AcquireLock(const std::string& lockPath, FileLock& lock);
void ReleaseLock(FileLock& lock);

}  // namespace standin
