#include "files/folders.h"

static bool IsSeparator(WCHAR c) {
  return c == '\\' || c == '/';
}

WideString JoinPath(const WideString& folder, const WideString& name) {
  if (folder.empty()) return name;
  return IsSeparator(folder.back()) ? folder + name : folder + WideString(1, '\\') + name;
}

// Where the parts that may need making begin: after "C:\", or after "\\server\share\".
static size_t FirstMadePart(const WideString& folder) {
  if (folder.size() >= 2 && IsSeparator(folder[0]) && IsSeparator(folder[1])) {
    size_t separators = 0, at = 2;
    for (; at < folder.size() && separators < 2; ++at) separators += IsSeparator(folder[at]);
    return at;
  }
  if (folder.size() >= 2 && folder[1] == ':') return folder.size() >= 3 && IsSeparator(folder[2]) ? 3 : 2;
  return IsSeparator(folder[0]) ? 1 : 0;
}

DWORD MakeFolders(const WideString& folder) {
  if (folder.empty()) return ERROR_PATH_NOT_FOUND;
  for (size_t end = FirstMadePart(folder); end <= folder.size(); ++end) {
    if (end < folder.size() && !IsSeparator(folder[end])) continue;
    if (end == 0 || IsSeparator(folder[end - 1])) continue;  // a doubled or leading separator
    const WideString part = folder.substr(0, end);
    if (CreateDirectoryW(part.c_str(), nullptr)) continue;
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(part.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
      return error == ERROR_ALREADY_EXISTS ? ERROR_PATH_NOT_FOUND : error;  // a file holds the name
  }
  return ERROR_SUCCESS;
}

static WCHAR FoldedAscii(WCHAR unit) {
  return unit >= 'A' && unit <= 'Z' ? static_cast<WCHAR>(unit - 'A' + 'a') : unit;
}

static bool EndsIn(const WideString& name, const std::string& extension) {
  if (name.size() < extension.size()) return false;
  for (size_t i = 0; i < extension.size(); ++i) {
    const WCHAR wanted = static_cast<unsigned char>(extension[i]);
    if (FoldedAscii(name[name.size() - extension.size() + i]) != FoldedAscii(wanted)) return false;
  }
  return true;
}

DWORD ListFilesEndingIn(const WideString& folder, const std::string& extension, std::vector<WideString>& names) {
  names.clear();
  const WideString pattern = JoinPath(folder, WTEXT("*"));
  WIN32_FIND_DATAW found;
  const HANDLE listing = FindFirstFileW(pattern.c_str(), &found);
  if (listing == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;  // an empty folder
  }
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && EndsIn(found.cFileName, extension))
      names.push_back(found.cFileName);
  } while (FindNextFileW(listing, &found));
  const DWORD error = GetLastError();
  FindClose(listing);
  return error == ERROR_NO_MORE_FILES ? ERROR_SUCCESS : error;
}
