// kernel32: files and folders, on the host's file system with the platform's paths, handles
// and error codes. A path takes \ and / as separators; drive letters and UNC paths name
// nothing on the host. As on Windows, a name's trailing dots and blanks are dropped, and a
// device name (CON, NUL, COM1, LPT1, ... also with an extension) opens a device that takes
// every write and keeps none.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/standin/api/reset.h"
#include "platform/standin/api/security.h"
#include "platform/standin/machine/trace.h"
#include "platform/standin/text/ascii.h"
#include "platform/standin/text/unicode.h"

#define ERROR_INVALID_FUNCTION 1L
#define ERROR_GEN_FAILURE 31L
#define ERROR_NO_DATA 232L
#define ERROR_CANT_RESOLVE_FILENAME 1921L

namespace standin {

// An open file, a device or a folder listing.
struct HostHandle {
  std::string path;  // as the host names it
  int fd = -1;
  bool device = false;   // a DOS device name: writes vanish, reads give nothing
  bool reparse = false;  // a link opened as itself: no reading or writing
  bool append = false;
  std::vector<WIN32_FIND_DATAW> found;  // a listing, when fd is -1 and device false
  size_t next = 0;
};

static std::set<HostHandle*> openHandles;

void ResetFiles() {
  for (HostHandle* handle : openHandles) {
    if (handle->fd >= 0) close(handle->fd);
    delete handle;
  }
  openHandles.clear();
}

static bool IsSeparator(char16_t c) {
  return c == u'\\' || c == u'/';
}

static bool IsDeviceName(std::string name) {
  const size_t dot = name.find('.');
  if (dot != std::string::npos) name.resize(dot);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  for (char& c : name) c = FoldAscii(c);
  if (name == "con" || name == "prn" || name == "aux" || name == "nul") return true;
  return name.size() == 4 && (name.compare(0, 3, "com") == 0 || name.compare(0, 3, "lpt") == 0) && name[3] >= '1' &&
         name[3] <= '9';
}

// What each component of a platform path becomes on the host.
struct HostPath {
  DWORD error = ERROR_SUCCESS;
  std::string path;
  bool device = false;  // the last component is a device name
};

// A component may not hold < > : " | ? * or a control character; wildcards are allowed in
// the last component of a listing's pattern.
static HostPath ToHostPath(LPCWSTR platformPath, bool wildcards = false) {
  HostPath result;
  if (platformPath == nullptr) return result.error = ERROR_INVALID_PARAMETER, result;
  const std::u16string text = Utf16Text(platformPath);
  if (text.empty()) return result.error = ERROR_PATH_NOT_FOUND, result;
  if (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1])) return result.error = ERROR_BAD_NETPATH, result;
  if (text.size() >= 2 && text[1] == u':') return result.error = ERROR_PATH_NOT_FOUND, result;
  std::vector<std::u16string> components(1);
  for (char16_t c : text) {
    if (IsSeparator(c)) components.emplace_back();
    else components.back().push_back(c);
  }
  for (size_t i = 0; i < components.size(); ++i) {
    std::u16string& component = components[i];
    const bool last = i + 1 == components.size();
    for (char16_t c : component) {
      const bool wildcard = c == u'*' || c == u'?';
      if (c < 32 || c == u'<' || c == u'>' || c == u':' || c == u'"' || c == u'|' || (wildcard && !(wildcards && last)))
        return result.error = ERROR_INVALID_NAME, result;
    }
    if (component != u"." && component != u"..") {
      while (!component.empty() && (component.back() == u'.' || component.back() == u' ')) component.pop_back();
    }
    if (i > 0) result.path += '/';
    result.path += Utf16ToUtf8(component);
  }
  const size_t slash = result.path.find_last_of('/');
  result.device = IsDeviceName(result.path.substr(slash == std::string::npos ? 0 : slash + 1));
  if (result.path.empty()) result.path = "/";
  return result;
}

static std::string ParentOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The platform's error for the host's, after a call on path failed.
static DWORD ErrorFor(int error, const std::string& path) {
  switch (error) {
    case ENOENT: {
      struct stat info;
      return stat(ParentOf(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? ERROR_FILE_NOT_FOUND
                                                                               : ERROR_PATH_NOT_FOUND;
    }
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
    case EBADF:
    case ENXIO: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
    case EAGAIN: return ERROR_NO_DATA;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    default: return ERROR_GEN_FAILURE;
  }
}

static std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

static DWORD AttributesOf(const std::string& name, const struct stat& info, bool link) {
  DWORD attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  if ((info.st_mode & S_IWUSR) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
  if (name.size() > 1 && name[0] == '.' && name != "..") attributes |= FILE_ATTRIBUTE_HIDDEN;
  if (link) attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
  return attributes;
}

// Attributes without following a link at the end, as the platform reports a reparse point.
static bool LinkAttributes(const std::string& path, DWORD& attributes, struct stat& info) {
  if (lstat(path.c_str(), &info) != 0) return false;
  const bool link = S_ISLNK(info.st_mode);
  struct stat target;
  if (link && stat(path.c_str(), &target) == 0) info = target;
  attributes = AttributesOf(BaseName(path), info, link);
  if (link && !S_ISDIR(info.st_mode)) attributes &= ~FILE_ATTRIBUTE_ARCHIVE;
  return true;
}

static FILETIME FileTime(const struct timespec& at) {
  // 100 ns units since 1601.
  const uint64_t ticks = (static_cast<uint64_t>(at.tv_sec) + 11644473600ull) * 10000000ull + at.tv_nsec / 100;
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

static bool IsHandle(HANDLE handle) {
  return openHandles.count(static_cast<HostHandle*>(handle)) != 0;
}

static HostHandle* FileHandle(HANDLE handle) {
  HostHandle* file = static_cast<HostHandle*>(handle);
  return IsHandle(handle) && (file->fd >= 0 || file->device) ? file : nullptr;
}

static HANDLE Fail(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

static BOOL FailWith(DWORD error) {
  SetLastError(error);
  return FALSE;
}

static HostHandle* NewHandle(const std::string& path) {
  HostHandle* handle = new HostHandle;
  handle->path = path;
  openHandles.insert(handle);
  return handle;
}

static int OpenFlags(DWORD access, DWORD disposition) {
  int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;  // a FIFO must not hold the open
  const bool write = (access & (GENERIC_WRITE | FILE_APPEND_DATA)) != 0;
  flags |= write ? ((access & GENERIC_READ) ? O_RDWR : O_WRONLY) : O_RDONLY;
  if ((access & FILE_APPEND_DATA) && !(access & GENERIC_WRITE)) flags |= O_APPEND;
  switch (disposition) {
    case CREATE_NEW: return flags | O_CREAT | O_EXCL;
    case CREATE_ALWAYS: return flags | O_CREAT | O_TRUNC;
    case OPEN_ALWAYS: return flags | O_CREAT;
    case TRUNCATE_EXISTING: return flags | O_TRUNC;
    default: return flags;
  }
}

static HANDLE CreateFile(LPCWSTR name, DWORD access, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                         DWORD flagsAndAttributes, std::string& shown) {
  const HostPath host = ToHostPath(name);
  shown = host.error ? "(invalid)" : host.path;
  if (host.error) return Fail(host.error);
  if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING ||
      (disposition == TRUNCATE_EXISTING && !(access & GENERIC_WRITE)))
    return Fail(ERROR_INVALID_PARAMETER);
  if (host.device) {
    HostHandle* handle = NewHandle(host.path);
    handle->device = true;
    SetLastError(ERROR_SUCCESS);
    return handle;
  }
  struct stat before;
  const bool existed = lstat(host.path.c_str(), &before) == 0;
  int flags = OpenFlags(access, disposition);
  const bool linkItself = (flagsAndAttributes & FILE_FLAG_OPEN_REPARSE_POINT) != 0;
  if (linkItself) flags |= O_NOFOLLOW;
  int fd = open(host.path.c_str(), flags, 0666);
  bool reparse = false;
  if (fd < 0 && errno == ELOOP && linkItself) {
    fd = open(host.path.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    reparse = fd >= 0;
  }
  if (fd < 0) return Fail(ErrorFor(errno, host.path));
  struct stat info;
  if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) && !(flagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS)) {
    close(fd);
    return Fail(ERROR_ACCESS_DENIED);  // a folder opens only for backup semantics
  }
  if (!existed && security != nullptr && GrantsOwnerAlone(security->lpSecurityDescriptor)) fchmod(fd, 0600);
  HostHandle* handle = NewHandle(host.path);
  handle->fd = fd;
  handle->reparse = reparse;
  handle->append = (flags & O_APPEND) != 0;
  // As on Windows: a call that may create says whether the file was there.
  const bool mayCreate = disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
  SetLastError(mayCreate && existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

static BOOL Read(HostHandle* file, LPVOID buffer, DWORD wanted, LPDWORD got, LPOVERLAPPED overlapped) {
  if (got == nullptr || overlapped != nullptr || (buffer == nullptr && wanted != 0))
    return FailWith(ERROR_INVALID_PARAMETER);
  *got = 0;
  if (file->device) return TRUE;
  if (file->reparse) return FailWith(ERROR_ACCESS_DENIED);
  ssize_t count;
  do count = read(file->fd, buffer, wanted);
  while (count < 0 && errno == EINTR);
  if (count < 0) return FailWith(ErrorFor(errno, file->path));
  *got = static_cast<DWORD>(count);
  return TRUE;
}

static BOOL Write(HostHandle* file, LPCVOID buffer, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
  if (written == nullptr || overlapped != nullptr || (buffer == nullptr && count != 0))
    return FailWith(ERROR_INVALID_PARAMETER);
  *written = 0;
  if (file->device) return *written = count, TRUE;
  if (file->reparse) return FailWith(ERROR_ACCESS_DENIED);
  while (*written < count) {
    const ssize_t done = write(file->fd, static_cast<const char*>(buffer) + *written, count - *written);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return FailWith(done < 0 ? ErrorFor(errno, file->path) : ERROR_DISK_FULL);
    *written += static_cast<DWORD>(done);
  }
  return TRUE;
}

// Windows' wildcards: * any run, ? any one character; letter case does not count.
static bool Matches(const std::u16string& pattern, size_t p, const std::u16string& name, size_t n) {
  for (; p < pattern.size(); ++p, ++n) {
    if (pattern[p] == u'*') {
      for (size_t rest = n; rest <= name.size(); ++rest)
        if (Matches(pattern, p + 1, name, rest)) return true;
      return false;
    }
    if (n >= name.size()) return false;
    const char16_t a = pattern[p] < 128 ? static_cast<char16_t>(FoldAscii(static_cast<char>(pattern[p]))) : pattern[p];
    const char16_t b = name[n] < 128 ? static_cast<char16_t>(FoldAscii(static_cast<char>(name[n]))) : name[n];
    if (pattern[p] != u'?' && a != b) return false;
  }
  return n == name.size();
}

static DWORD ListFolder(LPCWSTR pattern, HostHandle*& listing, std::string& shown) {
  const HostPath host = ToHostPath(pattern, true);
  shown = host.error ? "(invalid)" : host.path;
  if (host.error) return host.error;
  const size_t slash = host.path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : host.path.substr(0, slash));
  std::u16string wanted = Utf8ToUtf16(BaseName(host.path));
  if (wanted == u"*.*") wanted.resize(1);  // "*.*" is "*"
  DIR* directory = opendir(folder.c_str());
  if (directory == nullptr) return errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFor(errno, folder);
  listing = NewHandle(host.path);
  while (const dirent* entry = readdir(directory)) {
    const std::u16string name = Utf8ToUtf16(entry->d_name);
    if (name.size() >= MAX_PATH || !Matches(wanted, 0, name, 0)) continue;
    WIN32_FIND_DATAW data = {};
    struct stat info;
    if (!LinkAttributes(folder + "/" + entry->d_name, data.dwFileAttributes, info)) continue;
    data.ftCreationTime = data.ftLastWriteTime = FileTime(info.st_mtim);
    data.ftLastAccessTime = FileTime(info.st_atim);
    if (!S_ISDIR(info.st_mode)) {
      data.nFileSizeHigh = static_cast<DWORD>(static_cast<uint64_t>(info.st_size) >> 32);
      data.nFileSizeLow = static_cast<DWORD>(info.st_size);
    }
    CopyUtf16(name, data.cFileName, MAX_PATH);
    listing->found.push_back(data);
  }
  closedir(directory);
  if (listing->found.empty()) {
    openHandles.erase(listing);
    delete listing;
    listing = nullptr;
    return ERROR_FILE_NOT_FOUND;
  }
  return ERROR_SUCCESS;
}

static std::string Outcome(BOOL result) {
  return result ? "0" : std::to_string(GetLastError());
}

static std::string PathOf(HANDLE handle) {
  return IsHandle(handle) ? static_cast<HostHandle*>(handle)->path : "(invalid)";
}

}  // namespace standin

using namespace standin;

extern "C" HANDLE WINAPI CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD, LPSECURITY_ATTRIBUTES security,
                                     DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE) {
  std::string shown;
  const HANDLE handle =
      CreateFile(lpFileName, dwDesiredAccess, security, dwCreationDisposition, dwFlagsAndAttributes, shown);
  Trace("CreateFileW " + shown + " " + Hex32(dwDesiredAccess) + " " + std::to_string(dwCreationDisposition) + " -> " +
        (handle == INVALID_HANDLE_VALUE ? std::to_string(GetLastError()) : "0"));
  return handle;
}

extern "C" BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
                                LPOVERLAPPED lpOverlapped) {
  HostHandle* file = FileHandle(hFile);
  const BOOL result = file ? Read(file, lpBuffer, nNumberOfBytesToRead, lpNumberOfBytesRead, lpOverlapped)
                           : FailWith(ERROR_INVALID_HANDLE);
  Trace("ReadFile " + PathOf(hFile) + " " + std::to_string(nNumberOfBytesToRead) + " -> " + Outcome(result) +
        (result ? " (" + std::to_string(*lpNumberOfBytesRead) + ")" : ""));
  return result;
}

extern "C" BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                                 LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
  HostHandle* file = FileHandle(hFile);
  const BOOL result = file ? Write(file, lpBuffer, nNumberOfBytesToWrite, lpNumberOfBytesWritten, lpOverlapped)
                           : FailWith(ERROR_INVALID_HANDLE);
  Trace("WriteFile " + PathOf(hFile) + " " + std::to_string(nNumberOfBytesToWrite) + " -> " + Outcome(result));
  return result;
}

extern "C" BOOL WINAPI FlushFileBuffers(HANDLE hFile) {
  HostHandle* file = FileHandle(hFile);
  BOOL result = file != nullptr;
  if (!file) SetLastError(ERROR_INVALID_HANDLE);
  else if (!file->device && !file->reparse && fsync(file->fd) != 0 && errno != EINVAL)
    result = FailWith(ErrorFor(errno, file->path));
  Trace("FlushFileBuffers " + PathOf(hFile) + " -> " + Outcome(result));
  return result;
}

extern "C" BOOL WINAPI GetFileSizeEx(HANDLE hFile, PLARGE_INTEGER lpFileSize) {
  HostHandle* file = FileHandle(hFile);
  struct stat info;
  BOOL result = FALSE;
  if (!file) SetLastError(ERROR_INVALID_HANDLE);
  else if (lpFileSize == nullptr) SetLastError(ERROR_INVALID_PARAMETER);
  else if (file->device || fstat(file->fd, &info) != 0 || !(S_ISREG(info.st_mode) || S_ISDIR(info.st_mode)))
    SetLastError(ERROR_INVALID_FUNCTION);  // a device or a pipe has no size
  else result = TRUE, lpFileSize->QuadPart = info.st_size;
  Trace("GetFileSizeEx " + PathOf(hFile) + " -> " + Outcome(result) +
        (result ? " (" + std::to_string(lpFileSize->QuadPart) + ")" : ""));
  return result;
}

// A device stays at 0; a position past the end is allowed, one before the start is not.
extern "C" BOOL WINAPI SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove, PLARGE_INTEGER lpNewFilePointer,
                                        DWORD dwMoveMethod) {
  HostHandle* file = FileHandle(hFile);
  static const int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  off_t position = 0;
  BOOL result = FALSE;
  if (!file) SetLastError(ERROR_INVALID_HANDLE);
  else if (dwMoveMethod > FILE_END) SetLastError(ERROR_INVALID_PARAMETER);
  else if (file->device) result = TRUE;
  else if (dwMoveMethod != FILE_BEGIN && (position = lseek(file->fd, 0, kWhence[dwMoveMethod])) < 0)
    SetLastError(ErrorFor(errno, file->path));
  else if ((position += liDistanceToMove.QuadPart) < 0) SetLastError(ERROR_NEGATIVE_SEEK);
  else if (lseek(file->fd, position, SEEK_SET) < 0) SetLastError(ErrorFor(errno, file->path));
  else result = TRUE;
  if (result && lpNewFilePointer != nullptr) lpNewFilePointer->QuadPart = position;
  Trace("SetFilePointerEx " + PathOf(hFile) + " " + std::to_string(liDistanceToMove.QuadPart) + " " +
        std::to_string(dwMoveMethod) + " -> " + Outcome(result));
  return result;
}

extern "C" DWORD WINAPI GetFileType(HANDLE hFile) {
  HostHandle* file = FileHandle(hFile);
  struct stat info;
  DWORD type = FILE_TYPE_UNKNOWN;
  if (!file) SetLastError(ERROR_INVALID_HANDLE);
  else if (file->device) type = FILE_TYPE_CHAR;
  else if (fstat(file->fd, &info) != 0) SetLastError(ErrorFor(errno, file->path));
  else if (S_ISREG(info.st_mode) || S_ISDIR(info.st_mode) || S_ISLNK(info.st_mode)) type = FILE_TYPE_DISK;
  else if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) type = FILE_TYPE_CHAR;
  else type = FILE_TYPE_PIPE;
  if (type != FILE_TYPE_UNKNOWN) SetLastError(ERROR_SUCCESS);
  Trace("GetFileType " + PathOf(hFile) + " -> " + std::to_string(type));
  return type;
}

extern "C" BOOL WINAPI GetFileInformationByHandle(HANDLE hFile, LPBY_HANDLE_FILE_INFORMATION lpFileInformation) {
  HostHandle* file = FileHandle(hFile);
  struct stat info;
  BOOL result = FALSE;
  if (!file || file->device) SetLastError(file ? ERROR_INVALID_FUNCTION : ERROR_INVALID_HANDLE);
  else if (lpFileInformation == nullptr) SetLastError(ERROR_INVALID_PARAMETER);
  else if (fstat(file->fd, &info) != 0) SetLastError(ErrorFor(errno, file->path));
  else {
    result = TRUE;
    BY_HANDLE_FILE_INFORMATION& out = *lpFileInformation;
    out = BY_HANDLE_FILE_INFORMATION();
    out.dwFileAttributes = AttributesOf(BaseName(file->path), info, file->reparse);
    out.ftCreationTime = out.ftLastWriteTime = FileTime(info.st_mtim);
    out.ftLastAccessTime = FileTime(info.st_atim);
    out.dwVolumeSerialNumber = static_cast<DWORD>(info.st_dev);
    out.nFileSizeHigh = static_cast<DWORD>(static_cast<uint64_t>(info.st_size) >> 32);
    out.nFileSizeLow = static_cast<DWORD>(info.st_size);
    out.nNumberOfLinks = static_cast<DWORD>(info.st_nlink);
    out.nFileIndexHigh = static_cast<DWORD>(static_cast<uint64_t>(info.st_ino) >> 32);
    out.nFileIndexLow = static_cast<DWORD>(info.st_ino);
  }
  Trace("GetFileInformationByHandle " + PathOf(hFile) + " -> " + Outcome(result) +
        (result ? " (attributes " + Hex32(lpFileInformation->dwFileAttributes) + ", " +
                      std::to_string(lpFileInformation->nNumberOfLinks) + " links)"
                : ""));
  return result;
}

extern "C" BOOL WINAPI CloseHandle(HANDLE hObject) {
  HostHandle* file = FileHandle(hObject);
  const std::string path = PathOf(hObject);
  BOOL result = FALSE;
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);  // a listing is closed with FindClose
  } else {
    result = TRUE;
    if (file->fd >= 0 && close(file->fd) != 0 && errno != EINTR) result = FailWith(ErrorFor(errno, file->path));
    openHandles.erase(file);
    delete file;
  }
  Trace("CloseHandle " + path + " -> " + Outcome(result));
  return result;
}

// A DACL that admits only the owner, administrators and SYSTEM makes the file 0600; any other
// leaves the mode as it is (the host has no more to give).
extern "C" DWORD WINAPI SetSecurityInfo(HANDLE handle, SE_OBJECT_TYPE ObjectType, SECURITY_INFORMATION SecurityInfo,
                                        PSID psidOwner, PSID psidGroup, PACL pDacl, PACL pSacl) {
  HostHandle* file = FileHandle(handle);
  DWORD result = ERROR_SUCCESS;
  if (!file || file->device || file->reparse) result = ERROR_INVALID_HANDLE;
  else if (ObjectType != SE_FILE_OBJECT || psidOwner || psidGroup || pSacl) result = ERROR_INVALID_PARAMETER;
  else if (!(SecurityInfo & DACL_SECURITY_INFORMATION) || !pDacl) result = ERROR_INVALID_PARAMETER;
  else if (GrantsOwnerAlone(pDacl) && fchmod(file->fd, 0600) != 0) result = ErrorFor(errno, file->path);
  Trace("SetSecurityInfo " + PathOf(handle) + " -> " + std::to_string(result));
  return result;
}

extern "C" BOOL WINAPI MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags) {
  const HostPath from = ToHostPath(lpExistingFileName), to = ToHostPath(lpNewFileName);
  BOOL result = FALSE;
  struct stat info;
  if (from.error || to.error) SetLastError(from.error ? from.error : to.error);
  else if (from.device || to.device) SetLastError(ERROR_ACCESS_DENIED);
  else if (lstat(from.path.c_str(), &info) != 0) SetLastError(ErrorFor(errno, from.path));
  else if (!(dwFlags & MOVEFILE_REPLACE_EXISTING) && lstat(to.path.c_str(), &info) == 0)
    SetLastError(ERROR_ALREADY_EXISTS);
  else if (lstat(to.path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) SetLastError(ERROR_ACCESS_DENIED);
  else if (rename(from.path.c_str(), to.path.c_str()) != 0) SetLastError(ErrorFor(errno, to.path));
  else {
    result = TRUE;
    if (dwFlags & MOVEFILE_WRITE_THROUGH) {  // the rename itself reaches the disk
      const int folder = open(ParentOf(to.path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (folder >= 0) fsync(folder), close(folder);
    }
  }
  Trace("MoveFileExW " + (from.error ? "(invalid)" : from.path) + " " + (to.error ? "(invalid)" : to.path) + " " +
        std::to_string(dwFlags) + " -> " + Outcome(result));
  return result;
}

extern "C" BOOL WINAPI DeleteFileW(LPCWSTR lpFileName) {
  const HostPath host = ToHostPath(lpFileName);
  struct stat info;
  BOOL result = FALSE;
  if (host.error) SetLastError(host.error);
  else if (lstat(host.path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) SetLastError(ERROR_ACCESS_DENIED);
  else if (unlink(host.path.c_str()) != 0) SetLastError(ErrorFor(errno, host.path));
  else result = TRUE;
  Trace("DeleteFileW " + (host.error ? "(invalid)" : host.path) + " -> " + Outcome(result));
  return result;
}

extern "C" BOOL WINAPI CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes) {
  const HostPath host = ToHostPath(lpPathName);
  BOOL result = FALSE;
  const bool ownerAlone = lpSecurityAttributes && GrantsOwnerAlone(lpSecurityAttributes->lpSecurityDescriptor);
  if (host.error) SetLastError(host.error);
  else if (mkdir(host.path.c_str(), ownerAlone ? 0700 : 0777) != 0)
    SetLastError(errno == EEXIST ? ERROR_ALREADY_EXISTS : ErrorFor(errno, host.path));
  else result = TRUE;
  Trace("CreateDirectoryW " + (host.error ? "(invalid)" : host.path) + " -> " + Outcome(result));
  return result;
}

extern "C" DWORD WINAPI GetFileAttributesW(LPCWSTR lpFileName) {
  const HostPath host = ToHostPath(lpFileName);
  DWORD attributes = INVALID_FILE_ATTRIBUTES;
  struct stat info;
  if (host.error) SetLastError(host.error);
  else if (host.device) attributes = FILE_ATTRIBUTE_ARCHIVE;
  else if (!LinkAttributes(host.path, attributes, info)) SetLastError(ErrorFor(errno, host.path));
  Trace(
      "GetFileAttributesW " + (host.error ? "(invalid)" : host.path) + " -> " +
      (attributes == INVALID_FILE_ATTRIBUTES ? "INVALID (" + std::to_string(GetLastError()) + ")" : Hex32(attributes)));
  return attributes;
}

extern "C" HANDLE WINAPI FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData) {
  HostHandle* listing = nullptr;
  std::string shown;
  const DWORD error = lpFindFileData ? ListFolder(lpFileName, listing, shown) : ERROR_INVALID_PARAMETER;
  if (listing != nullptr) *lpFindFileData = listing->found[listing->next++];
  Trace("FindFirstFileW " + shown + " -> " + std::to_string(error));
  if (error) return Fail(error);
  SetLastError(ERROR_SUCCESS);
  return listing;
}

extern "C" BOOL WINAPI FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData) {
  HostHandle* listing = IsHandle(hFindFile) && !FileHandle(hFindFile) ? static_cast<HostHandle*>(hFindFile) : nullptr;
  BOOL result = FALSE;
  if (!listing) SetLastError(ERROR_INVALID_HANDLE);
  else if (!lpFindFileData) SetLastError(ERROR_INVALID_PARAMETER);
  else if (listing->next >= listing->found.size()) SetLastError(ERROR_NO_MORE_FILES);
  else result = TRUE, *lpFindFileData = listing->found[listing->next++];
  Trace("FindNextFileW " + PathOf(hFindFile) + " -> " + Outcome(result));
  return result;
}

extern "C" BOOL WINAPI FindClose(HANDLE hFindFile) {
  HostHandle* listing = IsHandle(hFindFile) && !FileHandle(hFindFile) ? static_cast<HostHandle*>(hFindFile) : nullptr;
  const std::string path = PathOf(hFindFile);
  if (listing) openHandles.erase(listing), delete listing;
  else SetLastError(ERROR_INVALID_HANDLE);
  Trace("FindClose " + path + " -> " + Outcome(listing != nullptr));
  return listing != nullptr;
}
