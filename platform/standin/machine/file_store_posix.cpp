#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/standin/machine/file_store.h"

namespace standin {

static FileIdentity IdentityFrom(const struct stat& info) {
  FileIdentity identity;
  identity.known = true;
  identity.device = static_cast<uint64_t>(info.st_dev);
  identity.inode = static_cast<uint64_t>(info.st_ino);
  identity.size = static_cast<uint64_t>(info.st_size);
  identity.modified = static_cast<uint64_t>(info.st_mtim.tv_sec) * 1000000000u + info.st_mtim.tv_nsec;
  return identity;
}

FileIdentity IdentityOf(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 ? IdentityFrom(info) : FileIdentity();
}

// A machine file is small: a larger one is refused before anything of it is read.
static const off_t kMaxMachineBytes = off_t(256) << 20;
static const char kTooLarge[] = "it is larger than 256 MiB";

ReadOutcome ReadFileBytes(const std::string& path, std::string& content, std::string& error, FileIdentity& identity) {
  // Without blocking: a FIFO is refused below, not waited on.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT) return kReadMissing;
    error = strerror(errno);
    return kReadFailed;
  }
  struct stat info;
  error.clear();
  if (fstat(fd, &info) != 0) error = strerror(errno);
  else if (S_ISDIR(info.st_mode)) error = "it is a folder";
  else if (!S_ISREG(info.st_mode)) error = "it is not a plain file";
  else if (info.st_size > kMaxMachineBytes) error = kTooLarge;
  if (!error.empty()) {
    close(fd);
    return kReadFailed;
  }
  fcntl(fd, F_SETFL, 0);  // a plain file: reads may block again
  identity = IdentityFrom(info);
  content.clear();
  content.reserve(static_cast<size_t>(info.st_size));
  char chunk[65536];
  for (;;) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) error = strerror(errno);
    else if (content.size() + static_cast<size_t>(got) > static_cast<size_t>(kMaxMachineBytes)) error = kTooLarge;
    if (got <= 0 || !error.empty()) break;
    content.append(chunk, static_cast<size_t>(got));
  }
  close(fd);
  return error.empty() ? kReadDone : kReadFailed;
}

static std::string ParentFolder(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool CreateParentFolders(const std::string& path) {
  const std::string folder = ParentFolder(path);
  for (size_t pos = 1; pos <= folder.size(); ++pos) {
    if (pos != folder.size() && folder[pos] != '/') continue;
    const std::string prefix = folder.substr(0, pos);
    if (mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

static bool WriteAll(int fd, const std::string& content) {
  size_t done = 0;
  while (done < content.size()) {
    const ssize_t wrote = write(fd, content.data() + done, content.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<size_t>(wrote);
  }
  return true;
}

// What a run killed mid-save leaves is this user's own plain file with no other name: it is
// removed, and the save makes it again. Anything else of that name (a link, a folder, a file
// of another user or with another name) stays, and the save fails.
static bool RemoveLeftover(const std::string& temporary) {
  struct stat info;
  if (lstat(temporary.c_str(), &info) != 0) return errno == ENOENT;
  if (!S_ISREG(info.st_mode) || info.st_uid != geteuid() || info.st_nlink != 1) return false;
  return unlink(temporary.c_str()) == 0;
}

// The data reaches the disk before the rename, so after any crash the name holds either the
// old file or the new one, whole; the rename itself may still be lost in a power failure.
// The killed-run tests end a run at the open of the temporary file and around its rename
// (tests/support/kill_at_save.cpp), so those two calls stay plain open and rename.
bool ReplaceFileAtomically(const std::string& path, const std::string& content) {
  // One fixed name, used only under the machine lock: a run killed mid-save leaves this one
  // file, and the next save replaces it.
  const std::string temporary = path + ".tmp";
  // The file holds wireless keys: a new one is its owner's alone, whatever the umask; one
  // that exists keeps the mode its owner gave it.
  struct stat existing;
  const mode_t mode = stat(path.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0600;
  if (!RemoveLeftover(temporary)) return false;
  // Made by this save (O_EXCL: no file or link planted under the name is opened), and its
  // owner's alone until it is whole.
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, content) && fchmod(fd, mode) == 0 && fdatasync(fd) == 0;
  if (close(fd) != 0 || !written) {
    unlink(temporary.c_str());
    return false;
  }
  if (rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

bool AcquireLock(const std::string& lockPath, FileLock& lock) {
  const int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return false;
  while (flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) {
      close(fd);
      return false;
    }
  }
  lock.handle = fd;
  return true;
}

void ReleaseLock(FileLock& lock) {
  if (lock.handle < 0) return;
  close(static_cast<int>(lock.handle));
  lock.handle = -1;
}

}  // namespace standin
