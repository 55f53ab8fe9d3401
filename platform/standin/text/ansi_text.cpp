#include "platform/standin/text/ansi_text.h"

#include <cstdint>

#include "platform/standin/machine/machine.h"
#include "platform/standin/text/code_page.h"

namespace standin {

std::string EncodeAnsi(const std::u16string& units) {
  return EncodeAnsi(AnsiCodePage(), units);
}

std::string EncodeAnsi(UINT codePage, const std::u16string& units) {
  return EncodeUnits(codePage == 0 ? 1252 : codePage, units.data(), units.size(), nullptr, SIZE_MAX).bytes;
}

std::u16string DecodeAnsi(const std::string& bytes) {
  return DecodeBytes(AnsiCodePage(), bytes.data(), bytes.size());
}

}  // namespace standin
