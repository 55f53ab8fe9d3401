#include "wlan/order_file.h"

#include "text/exact_ansi.h"

const char kOrderFileName[] = "ORDER.TXT";

// Far more than the names of every profile a machine can hold.
static const DWORD kMaxOrderFileBytes = 1 << 20;

DWORD ReadOrderFile(const WideString& path, ValueList& names) {
  names.clear();
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  std::string content;
  char chunk[4096];
  DWORD got = 0, error = ERROR_SUCCESS;
  if (GetFileType(file) != FILE_TYPE_DISK) error = ERROR_INVALID_DATA;
  while (error == ERROR_SUCCESS && content.size() <= kMaxOrderFileBytes) {
    if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) error = GetLastError();
    else if (got == 0) break;
    else content.append(chunk, got);
  }
  CloseHandle(file);
  if (error == ERROR_SUCCESS && content.size() > kMaxOrderFileBytes) error = ERROR_INVALID_DATA;
  if (error != ERROR_SUCCESS) return error;
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) names.push_back(line);
    start = end + 1;
  }
  return ERROR_SUCCESS;
}

std::string OrderFileText(const std::vector<WideString>& names, std::vector<WideString>& unlisted) {
  std::string text;
  for (const WideString& name : names) {
    std::string bytes;
    if (ToAnsiExactly(name, bytes) && bytes.find_first_of("\r\n") == std::string::npos && !bytes.empty())
      text += bytes + "\r\n";
    else unlisted.push_back(name);
  }
  return text;
}
