#include "text/print.h"

#include "platform/platform.h"

static OutputCopy outputCopy = nullptr;

void Print(const std::string& text) {
  WriteStandardOutput(text.data(), text.size());
  if (outputCopy != nullptr) outputCopy(text);
}

void PrintError(DWORD code, const std::string& what) {
  Print(ErrorLine(code, what));
}

std::string ErrorLine(DWORD code, const std::string& what) {
  return " - Error(" + std::to_string(static_cast<int>(code)) + "): Unable to " + what + ".\n";
}

void SetOutputCopy(OutputCopy copy) {
  outputCopy = copy;
}

namespace {

// What a byte from 0x80 on is in a code page.
enum HighByte : unsigned char { kCharacter, kLeadByte, kControl };

struct CodePageBytes {
  bool utf8 = false;
  HighByte high[0x80] = {};
};

// Asks the platform once: each byte from 0x80 on followed by 'A', which every code page with
// lead bytes takes as a trail byte, so a lead byte gives one character and any other byte its
// own and then the 'A'; last C2 85, the one character U+0085 only where bytes are UTF-8.
CodePageBytes ProbeCodePage(UINT codePage) {
  CodePageBytes bytes;
  std::string probe;
  for (int byte = 0x80; byte <= 0xFF; ++byte) probe += {static_cast<char>(byte), 'A'};
  probe += "\xC2\x85";
  WCHAR units[0x100 + 2];
  const int count = MultiByteToWideChar(codePage, 0, probe.data(), static_cast<int>(probe.size()), units, 0x102);
  int at = 0;
  for (int byte = 0; byte < 0x80 && at < count; ++byte) {
    if (at + 1 < count && units[at + 1] == 'A') {
      bytes.high[byte] = units[at] >= 0x80 && units[at] <= 0x9F ? kControl : kCharacter;
      at += 2;
    } else {
      bytes.high[byte] = kLeadByte;
      at += 1;
    }
  }
  bytes.utf8 = count - at == 1 && units[at] == 0x85;
  return bytes;
}

const CodePageBytes& BytesOf(UINT codePage) {
  static const CodePageBytes utf8 = [] {
    CodePageBytes bytes;
    bytes.utf8 = true;
    return bytes;
  }();
  if (codePage == CP_UTF8) return utf8;
  static const CodePageBytes ansi = ProbeCodePage(CP_ACP);
  return ansi;
}

bool IsControlByte(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F;
}

void AppendEscape(std::string& shown, unsigned char byte) {
  static const char kDigits[] = "0123456789ABCDEF";
  shown += {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0xF]};
}

}  // namespace

std::string NameForLine(const std::string& name, UINT codePage) {
  std::string shown;
  const CodePageBytes* bytes = nullptr;  // asked for at the first byte from 0x80 on
  for (size_t i = 0; i < name.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(name[i]);
    const unsigned char next = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0;
    if (byte < 0x80) {
      if (IsControlByte(byte)) AppendEscape(shown, byte);
      else shown += name[i];
      continue;
    }
    if (bytes == nullptr) bytes = &BytesOf(codePage);
    if (bytes->utf8 ? byte == 0xC2 && next >= 0x80 && next <= 0x9F : bytes->high[byte - 0x80] == kControl) {
      AppendEscape(shown, byte);
      if (bytes->utf8) {
        AppendEscape(shown, next);
        ++i;
      }
      continue;
    }
    shown += name[i];
    // A trail byte is part of its character, unless it is a control byte (a pair of no character).
    if (!bytes->utf8 && bytes->high[byte - 0x80] == kLeadByte && next != 0 && !IsControlByte(next)) shown += name[++i];
  }
  return shown;
}
