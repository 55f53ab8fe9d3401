#include "wlan/profile_file.h"

#include <cstdio>
#include <new>

// What text mode gives: each CR LF pair read as one LF.
static void JoinLineEnds(std::string& text) {
  size_t out = 0;
  for (size_t in = 0; in < text.size(); ++in) {
    if (text[in] == '\r' && in + 1 < text.size() && text[in + 1] == '\n') continue;
    text[out++] = text[in];
  }
  text.resize(out);
}

static int ReadWhole(FILE* file, std::string& content) {
  if (fseek(file, 0, SEEK_END) != 0) return -2;
  const long size = ftell(file);
  if (size < 0 || fseek(file, 0, SEEK_SET) != 0) return -2;
  try {
    char chunk[65536];
    while (content.size() < static_cast<size_t>(size)) {
      size_t wanted = static_cast<size_t>(size) - content.size();
      if (wanted > sizeof chunk) wanted = sizeof chunk;
      const size_t got = fread(chunk, 1, wanted, file);
      if (got == 0) break;
      content.append(chunk, got);
    }
  } catch (const std::bad_alloc&) {
    return -2;
  }
  return ferror(file) ? -1 : 0;
}

int LoadProfileXml(const std::string& path, std::string& text) {
  FILE* file = fopen(path.c_str(), "rb");
  if (file == nullptr) return -1;
  std::string content;
  const int result = ReadWhole(file, content);
  fclose(file);
  if (result != 0) return result;
  const size_t nul = content.find('\0');
  if (nul != std::string::npos) content.resize(nul);
  JoinLineEnds(content);
  const size_t lastTagEnd = content.rfind('>');
  content.resize(lastTagEnd == std::string::npos ? 0 : lastTagEnd + 1);
  text.swap(content);
  return 0;
}

int ReadProfileFile(const WideString& path, std::string& text) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  std::string content;
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) content.append(chunk, got);
  CloseHandle(file);
  const size_t nul = content.find('\0');
  if (nul != std::string::npos) content.resize(nul);
  JoinLineEnds(content);
  const size_t lastTagEnd = content.rfind('>');
  content.resize(lastTagEnd == std::string::npos ? 0 : lastTagEnd + 1);
  text.swap(content);
  return 0;
}
