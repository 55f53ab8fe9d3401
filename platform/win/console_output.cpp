// The tool's text on a console. The tool writes ANSI code page text with printf and fputs;
// a console shows bytes in its OEM code page, so an "é" would show as another letter. When
// standard output is a console, the text goes to it as UTF-16 through WriteConsoleW;
// anything else (a file, a pipe) gets the same bytes as always.
//
// The linker routes the C library's output calls here (--wrap, set in platform/CMakeLists.txt)
// so the tool's own code keeps its printf and fputs calls.
#include "platform/platform.h"

#include <io.h>

#include <cstdarg>
#include <cstdio>
#include <string>

extern "C" {
int __real___mingw_vfprintf(FILE* stream, const char* format, va_list arguments);
int __real_fputs(const char* text, FILE* stream);
int __real_fputc(int character, FILE* stream);
size_t __real_fwrite(const void* data, size_t size, size_t count, FILE* stream);
}

namespace {

bool IsConsole(FILE* stream) {
  static const bool stdoutIsConsole = [] {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdout)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
  }();
  return stream == stdout && stdoutIsConsole;
}

// Writes ANSI code page text to the console; false when it can't (the caller then writes
// the bytes). A line feed becomes CR LF, as the C library's text mode writes it.
bool WriteToConsole(const char* text, size_t length) {
  if (length == 0) return true;
  if (length > 0x7FFFFFFF) return false;
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
  if (wideLength <= 0) return false;
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), &wide[0], wideLength);
  std::wstring lines;
  lines.reserve(wide.size() + 16);
  for (const wchar_t character : wide) {
    if (character == L'\n') lines += L'\r';
    lines += character;
  }
  fflush(stdout);  // bytes the C library still holds go first
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdout)));
  const wchar_t* next = lines.data();
  DWORD left = static_cast<DWORD>(lines.size());
  while (left > 0) {
    DWORD written = 0;
    if (!WriteConsoleW(handle, next, left, &written, nullptr) || written == 0) return false;
    next += written;
    left -= written;
  }
  return true;
}

}  // namespace

extern "C" {

int __wrap___mingw_vfprintf(FILE* stream, const char* format, va_list arguments) {
  if (!IsConsole(stream)) return __real___mingw_vfprintf(stream, format, arguments);
  va_list again;
  va_copy(again, arguments);
  const int length = __mingw_vsnprintf(nullptr, 0, format, arguments);
  std::string text(length > 0 ? static_cast<size_t>(length) + 1 : 0, '\0');
  if (length > 0) __mingw_vsnprintf(&text[0], text.size(), format, again);
  va_end(again);
  if (length <= 0) return length;
  text.pop_back();
  if (WriteToConsole(text.data(), text.size())) return length;
  return static_cast<int>(__real_fwrite(text.data(), 1, text.size(), stream));
}

int __wrap_fputs(const char* text, FILE* stream) {
  if (IsConsole(stream)) {
    const size_t length = strlen(text);
    if (WriteToConsole(text, length)) return static_cast<int>(length);
  }
  return __real_fputs(text, stream);
}

int __wrap_fputc(int character, FILE* stream) {
  if (IsConsole(stream)) {
    const char byte = static_cast<char>(character);
    if (WriteToConsole(&byte, 1)) return static_cast<unsigned char>(byte);
  }
  return __real_fputc(character, stream);
}

size_t __wrap_fwrite(const void* data, size_t size, size_t count, FILE* stream) {
  if (IsConsole(stream) && size != 0 && count <= static_cast<size_t>(-1) / size &&
      WriteToConsole(static_cast<const char*>(data), size * count))
    return count;
  return __real_fwrite(data, size, count, stream);
}

}  // extern "C"
