// The machine file on Windows, for the stand-in wlanapi.dll that the Windows build's tests load.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/standin/machine/file_store.h"

namespace standin {

static std::string ErrorText(DWORD error) {
  return "Windows error " + std::to_string(error);
}

static FileIdentity IdentityFrom(const BY_HANDLE_FILE_INFORMATION& info) {
  FileIdentity identity;
  identity.known = true;
  identity.device = info.dwVolumeSerialNumber;
  identity.inode = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  identity.size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  identity.modified =
      (static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime;
  return identity;
}

FileIdentity IdentityOf(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FileIdentity();
  BY_HANDLE_FILE_INFORMATION info;
  const FileIdentity identity = GetFileInformationByHandle(file, &info) ? IdentityFrom(info) : FileIdentity();
  CloseHandle(file);
  return identity;
}

ReadOutcome ReadFileBytes(const std::string& path, std::string& content, std::string& error, FileIdentity& identity) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND) return kReadMissing;
    error = ErrorText(code);
    return kReadFailed;
  }
  content.clear();
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(file, &info)) identity = IdentityFrom(info);
  char chunk[65536];
  DWORD got = 0;
  BOOL ok;
  while ((ok = ReadFile(file, chunk, sizeof chunk, &got, nullptr)) && got > 0) content.append(chunk, got);
  if (!ok) error = ErrorText(GetLastError());
  CloseHandle(file);
  return ok ? kReadDone : kReadFailed;
}

static size_t LastSeparator(const std::string& path) {
  return path.find_last_of("\\/");
}

bool CreateParentFolders(const std::string& path) {
  const size_t end = LastSeparator(path);
  if (end == std::string::npos) return true;
  for (size_t pos = 0; pos <= end; ++pos) {
    if (path[pos] != '\\' && path[pos] != '/') continue;
    const std::string prefix = path.substr(0, pos);
    if (prefix.empty() || prefix.back() == ':') continue;  // a drive root
    if (!CreateDirectoryA(prefix.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return true;
}

bool ReplaceFileAtomically(const std::string& path, const std::string& content) {
  // One fixed name, used only under the machine lock: a run killed mid-save leaves this one
  // file, and the next save overwrites and reuses it.
  const std::string temporary = path + ".tmp";
  HANDLE file =
      CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD wrote = 0;
  const bool written = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &wrote, nullptr) &&
                       wrote == content.size() && FlushFileBuffers(file);
  CloseHandle(file);
  if (!written || !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temporary.c_str());
    return false;
  }
  return true;
}

bool AcquireLock(const std::string& lockPath, FileLock& lock) {
  HANDLE file = CreateFileA(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  OVERLAPPED whole = {};
  if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &whole)) {
    CloseHandle(file);
    return false;
  }
  lock.handle = reinterpret_cast<intptr_t>(file);
  return true;
}

void ReleaseLock(FileLock& lock) {
  if (lock.handle == -1) return;
  CloseHandle(reinterpret_cast<HANDLE>(lock.handle));  // closing releases the lock
  lock.handle = -1;
}

}  // namespace standin
