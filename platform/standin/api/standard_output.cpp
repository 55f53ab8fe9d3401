// Standard output as Windows gives it: a console shows the tool's text converted from the ANSI
// code page (the exe writes it through WriteConsoleW), so on a terminal the text is shown in
// UTF-8; to a pipe or a file the bytes go as they are, as the exe writes them when redirected.
// A pipe whose reader has gone makes the write fail, as on Windows, and the run goes on.
#include <signal.h>
#include <unistd.h>

#include <cstdio>

#include "platform/platform.h"
#include "platform/standin/machine/machine.h"
#include "platform/standin/text/code_page.h"
#include "platform/standin/text/unicode.h"

static bool IsAscii(const char* bytes, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (static_cast<unsigned char>(bytes[i]) >= 0x80) return false;
  return true;
}

void WriteStandardOutput(const char* bytes, size_t count) {
  static const bool terminal = isatty(fileno(stdout)) == 1;
  static const bool pipeSignalIgnored = signal(SIGPIPE, SIG_IGN) != SIG_ERR;
  (void)pipeSignalIgnored;
  // ASCII reads the same in every code page: the usage screen needs no machine.
  if (!terminal || IsAscii(bytes, count)) {
    fwrite(bytes, 1, count, stdout);
    return;
  }
  const std::string utf8 = standin::Utf16ToUtf8(standin::DecodeBytes(standin::AnsiCodePage(), bytes, count));
  fwrite(utf8.data(), 1, utf8.size(), stdout);
}
