#include "wlan/profile_file.h"

#include <new>

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

// The whole of a plain file of at most kMaxProfileFileBytes, sized before anything is read.
static int ReadWhole(HANDLE file, std::string& content) {
  if (GetFileType(file) != FILE_TYPE_DISK) return -1;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 || size.QuadPart > static_cast<long long>(kMaxProfileFileBytes))
    return -2;
  try {
    content.resize(static_cast<size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return -2;
  }
  size_t got = 0;
  while (got < content.size()) {
    DWORD read = 0;
    if (!ReadFile(file, &content[got], static_cast<DWORD>(content.size() - got), &read, nullptr)) return -1;
    if (read == 0) break;  // the file shrank since it was sized
    got += read;
  }
  content.resize(got);
  return 0;
}

int ReadProfileFile(const WideString& path, std::string& text) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  std::string content;
  const int result = ReadWhole(file, content);
  CloseHandle(file);
  if (result != 0) return result;
  const size_t nul = content.find('\0');
  if (nul != std::string::npos) content.resize(nul);
  JoinLineEnds(content);
  const size_t lastTagEnd = content.rfind('>');
  content.resize(lastTagEnd == std::string::npos ? 0 : lastTagEnd + 1);
  text.swap(content);
  return 0;
}

int LoadProfileXml(const std::string& path, std::string& text) {
  const WideString widePath = ToWide(path);
  if (widePath.empty()) return -1;  // a path that could not be converted names no file
  return ReadProfileFile(widePath, text);
}
