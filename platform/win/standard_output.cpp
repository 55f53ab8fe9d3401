// The tool's text is in the ANSI code page, and a console shows bytes in its OEM code page,
// so an "é" would show there as another letter. A console gets the text as UTF-16 through
// WriteConsoleW, one call per line; a file or a pipe gets the bytes as they are, through the
// C library (whose text mode writes CR LF line ends).
#include <io.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/platform.h"

namespace {

// Longer lines go to the console in pieces: older consoles refuse a write of much more than
// 64 KB.
const size_t kConsolePiece = 8192;

// Null when standard output is not a console.
HANDLE Console() {
  static const HANDLE console = [] {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdout)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
  }();
  return console;
}

// The bytes of the first characters of the text: in an ANSI code page each character is one
// UTF-16 unit, and one byte or a lead byte and the byte after it.
size_t BytesOfCharacters(const char* bytes, size_t count, size_t characters) {
  size_t at = 0;
  for (; characters > 0 && at < count; --characters)
    at += IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(bytes[at])) && at + 1 < count ? 2 : 1;
  return at;
}

// Writes one line to the console; how many of its bytes reached it.
size_t WriteConsoleLine(HANDLE console, const char* bytes, size_t count) {
  if (count > 0x7FFFFFFF) return 0;
  const int units = MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(count), nullptr, 0);
  if (units <= 0) return 0;
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(count), &wide[0], units);
  size_t written = 0;
  while (written < wide.size()) {
    const size_t piece = wide.size() - written < kConsolePiece ? wide.size() - written : kConsolePiece;
    DWORD done = 0;
    if (!WriteConsoleW(console, wide.data() + written, static_cast<DWORD>(piece), &done, nullptr) || done == 0)
      return BytesOfCharacters(bytes, count, written);
    written += done;
  }
  return count;
}

}  // namespace

void WriteStandardOutput(const char* bytes, size_t count) {
  const HANDLE console = Console();
  size_t done = 0;
  while (console != nullptr && done < count) {
    const void* lineEnd = memchr(bytes + done, '\n', count - done);
    const size_t line = lineEnd ? static_cast<const char*>(lineEnd) - (bytes + done) + 1 : count - done;
    const size_t reached = WriteConsoleLine(console, bytes + done, line);
    done += reached;
    if (reached < line) break;
  }
  if (done == count) return;
  // Not a console, or one that stopped taking text: the rest, and only the rest, as bytes.
  fwrite(bytes + done, 1, count - done, stdout);
  if (console != nullptr) fflush(stdout);
}
