// How the stand-in keeps its machine file on the host: reading, atomic replacement and
// the lock that serialises changes from concurrent runs.
#pragma once

#include <cstdint>
#include <string>

namespace standin {

enum ReadOutcome { kReadDone, kReadMissing, kReadFailed };

// What tells one version of a file from the next: each save renames a new file into place.
struct FileIdentity {
  bool known = false;
  uint64_t device = 0, inode = 0, size = 0, modified = 0;
  bool operator==(const FileIdentity& other) const {
    return known && other.known && device == other.device && inode == other.inode && size == other.size &&
           modified == other.modified;
  }
};

// The identity is that of the file the content was read from.
ReadOutcome ReadFileBytes(const std::string& path, std::string& content, std::string& error, FileIdentity& identity);
FileIdentity IdentityOf(const std::string& path);
// Writes the sibling temporary file path + ".tmp", flushes it to disk and renames it over
// path. The caller holds the machine lock: the temporary name is the same for every run.
bool ReplaceFileAtomically(const std::string& path, const std::string& content);
bool CreateParentFolders(const std::string& path);

// An exclusive lock held on a file beside the machine file; -1 when none is held.
struct FileLock {
  intptr_t handle = -1;
};
bool AcquireLock(const std::string& lockPath, FileLock& lock);
void ReleaseLock(FileLock& lock);

}  // namespace standin
