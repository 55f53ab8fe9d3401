#include "dryrun/files.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "files/read_whole.h"
#include "platform/standin/text/unicode.h"
#include "wlan/profile_file.h"

// Host file names are UTF-8, and the stand-in's file calls take them as UTF-16.
bool HostPathToWide(const std::string& path, WideString& wide) {
  bool invalid = false;
  wide = standin::Utf8ToUtf16(path.data(), path.size(), &invalid);
  return !invalid && wide.find(u'\0') == WideString::npos;
}

std::string ReadErrorText(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return strerror(ENOENT);
    case ERROR_ACCESS_DENIED: return strerror(EACCES);
    case ERROR_INVALID_DATA: return "it is not a plain file";
    case ERROR_INVALID_NAME: return "its name holds a character that Windows file names can't hold";
    case ERROR_FILENAME_EXCED_RANGE: return strerror(ENAMETOOLONG);
    case ERROR_FILE_TOO_LARGE:
      return "it is larger than 1 MiB (" + std::to_string(kMaxProfileFileBytes) +
             " bytes), the most that tessamin -add reads";
    case ERROR_NOT_ENOUGH_MEMORY: return strerror(ENOMEM);
    default: return "error " + std::to_string(error);
  }
}

static DWORD ListFolder(const std::string& path, std::vector<WideString>& names) {
  WideString folder;
  return HostPathToWide(path, folder) ? ListProfileFiles(folder, names) : ERROR_INVALID_NAME;
}

static bool IsFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<TrialPath> ProfilePaths(const std::vector<std::string>& paths) {
  std::vector<TrialPath> files;
  for (const std::string& path : paths) {
    std::vector<WideString> names;
    if (!IsFolder(path) || ListFolder(path, names) != ERROR_SUCCESS) {
      files.push_back({path, ""});  // a file, or what can't be read: its line says so
      continue;
    }
    if (names.empty()) fprintf(stderr, "tessamin-dryrun: '%s' holds no .xml file\n", path.c_str());
    const std::string prefix = path.back() == '/' ? path : path + "/";
    for (const WideString& name : names) files.push_back({prefix + standin::Utf16ToUtf8(name), path});
  }
  return files;
}

ProfileFile ReadTrialFile(const std::string& path) {
  ProfileFile file;
  file.path = path;
  struct stat info;
  WideString widePath;
  std::string content;
  std::vector<WideString> names;
  // What is not a plain file is offered as the empty text, as -add offers it, and not read.
  if (stat(path.c_str(), &info) != 0) file.unreadable = strerror(errno);
  else if (S_ISDIR(info.st_mode))
    file.unreadable = "it is a folder that can't be listed: " + ReadErrorText(ListFolder(path, names));
  else if (!HostPathToWide(path, widePath))
    file.unreadable = "its name is not UTF-8, in which the Linux build names files";
  else if (const DWORD error = ReadFileWhole(widePath, kMaxProfileFileBytes, content))
    file.unreadable = ReadErrorText(error);
  if (!file.unreadable.empty()) return file;
  file.head = content.substr(0, 4);
  file.text = ProfileText(std::move(content));
  return file;
}
