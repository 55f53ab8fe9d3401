#include "files/replace_file.h"

PSECURITY_DESCRIPTOR AdministratorsOnlyDescriptor() {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(WTEXT("D:P(A;;FA;;;BA)(A;;FA;;;SY)"), SDDL_REVISION_1,
                                                            &descriptor, nullptr))
    return nullptr;
  return descriptor;
}

static DWORD WriteAndFlush(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const size_t rest = bytes.size() - done;
    const DWORD piece = rest > 0x100000 ? 0x100000 : static_cast<DWORD>(rest);
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    done += written;
  }
  return FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
}

DWORD ReplaceFileWhole(const WideString& path, const std::string& bytes, FileAccess access) {
  const WideString temporary = path + WTEXT(".tmp");
  DeleteFileW(temporary.c_str());  // a killed run's leftover, or something planted
  SECURITY_ATTRIBUTES security = {sizeof security, nullptr, FALSE};
  if (access == kAdministratorsOnly) {
    security.lpSecurityDescriptor = AdministratorsOnlyDescriptor();
    if (security.lpSecurityDescriptor == nullptr) return GetLastError();
  }
  const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, &security, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  DWORD error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
  if (security.lpSecurityDescriptor != nullptr) LocalFree(security.lpSecurityDescriptor);
  if (file == INVALID_HANDLE_VALUE) return error;
  error = WriteAndFlush(file, bytes);
  if (!CloseHandle(file) && error == ERROR_SUCCESS) error = GetLastError();
  if (error == ERROR_SUCCESS &&
      !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = GetLastError();
  if (error != ERROR_SUCCESS) DeleteFileW(temporary.c_str());
  return error;
}
