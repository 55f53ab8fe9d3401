// The words of the host's argument vector in the machine's ANSI code page, as Wine gives them
// to the exe: host file names and terminals are UTF-8, the tool's words are ANSI bytes.
#include "platform/standin/api/command_line.h"

#include <cstdint>

#include "platform/standin/machine/machine.h"
#include "platform/standin/text/code_page.h"
#include "platform/standin/text/unicode.h"

namespace standin {

static bool IsAscii(const std::string& word) {
  for (char byte : word)
    if (static_cast<unsigned char>(byte) >= 0x80) return false;
  return true;
}

std::string CommandLineWord(const std::string& word, UINT codePage) {
  if (IsAscii(word) || codePage == CP_UTF8) return word;
  bool invalid = false;
  const std::u16string units = Utf8ToUtf16(word.data(), word.size(), &invalid);
  if (invalid) return word;
  return EncodeUnits(codePage, units.data(), units.size(), nullptr, SIZE_MAX).bytes;
}

}  // namespace standin

std::vector<std::string> CommandLineWords(int argc, char** argv) {
  std::vector<std::string> words;
  for (int i = 0; i < argc; ++i) words.push_back(argv[i]);
  bool ascii = true;
  for (const std::string& word : words) ascii = ascii && standin::IsAscii(word);
  if (ascii) return words;  // the same in every code page: no machine needed, as for -help
  // Without a place for a machine the tool says so itself once it needs one.
  const UINT codePage = standin::MachinePath().empty() ? 1252 : standin::AnsiCodePage();
  for (size_t i = 1; i < words.size(); ++i) words[i] = standin::CommandLineWord(words[i], codePage);
  return words;
}
