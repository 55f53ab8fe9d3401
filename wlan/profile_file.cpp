#include "wlan/profile_file.h"

#include <algorithm>
#include <utility>

#include "files/folders.h"
#include "files/read_whole.h"
#include "text/ascii_case.h"
#include "text/code_page.h"

// What text mode gives: each CR LF pair read as one LF.
static void JoinLineEnds(std::string& text) {
  size_t out = 0;
  for (size_t in = 0; in < text.size(); ++in) {
    if (text[in] == '\r' && in + 1 < text.size() && text[in + 1] == '\n') continue;
    text[out++] = text[in];
  }
  text.resize(out);
}

std::string ProfileText(std::string content) {
  const size_t nul = content.find('\0');
  if (nul != std::string::npos) content.resize(nul);
  JoinLineEnds(content);
  const size_t lastTagEnd = content.rfind('>');
  content.resize(lastTagEnd == std::string::npos ? 0 : lastTagEnd + 1);
  return content;
}

int ReadProfileFile(const WideString& path, std::string& text) {
  std::string content;
  const DWORD error = ReadFileWhole(path, kMaxProfileFileBytes, content);
  if (error == ERROR_FILE_TOO_LARGE || error == ERROR_NOT_ENOUGH_MEMORY) return -2;
  if (error != ERROR_SUCCESS) return -1;
  text = ProfileText(std::move(content));
  return 0;
}

int LoadProfileXml(const std::string& path, std::string& text) {
  const WideString widePath = ToWide(path);
  if (widePath.empty()) return -1;  // a path that could not be converted names no file
  return ReadProfileFile(widePath, text);
}

// Name order as a folder listing on NTFS gives it: letter case folded, then as they are.
static bool ComesBefore(const WideString& a, const WideString& b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return UpperAscii(a[i]) < UpperAscii(b[i]);
  }
  return a.size() != b.size() ? a.size() < b.size() : a < b;
}

DWORD ListProfileFiles(const WideString& folder, std::vector<WideString>& names) {
  const DWORD error = ListFilesEndingIn(folder, ".xml", names);
  std::sort(names.begin(), names.end(), ComesBefore);
  return error;
}
