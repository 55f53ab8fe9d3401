#include "files/read_whole.h"

#include <new>

static DWORD ReadOpenFile(HANDLE file, size_t maxBytes, std::string& content) {
  if (GetFileType(file) != FILE_TYPE_DISK) return ERROR_INVALID_DATA;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size)) return GetLastError();
  if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > maxBytes) return ERROR_FILE_TOO_LARGE;
  std::string bytes;
  try {
    bytes.resize(static_cast<size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  size_t got = 0;
  while (got < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file, &bytes[got], static_cast<DWORD>(bytes.size() - got), &read, nullptr)) return GetLastError();
    if (read == 0) break;  // the file shrank since it was sized
    got += read;
  }
  bytes.resize(got);
  content.swap(bytes);
  return ERROR_SUCCESS;
}

DWORD ReadFileWhole(const WideString& path, size_t maxBytes, std::string& content) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  const DWORD error = ReadOpenFile(file, maxBytes, content);
  CloseHandle(file);
  return error;
}
