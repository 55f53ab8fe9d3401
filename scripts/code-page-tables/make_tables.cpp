// Writes the stand-in's code page tables (platform/standin/text/code_pages/) from what the
// system it runs on gives (Wine here, not Windows): for each code page of kAnsiCodePages,
// MultiByteToWideChar of every byte and every lead and trail byte pair, and
// WideCharToMultiByte of every UTF-16 unit, kept as code_page_table.h describes. It checks
// the rules that form relies on and fails, writing nothing more, where one does not hold.
// Run by scripts/make-code-page-tables. Usage: make_tables OUTPUT-FOLDER MADE-UNDER
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/standin/text/code_page_table.h"

using standin::ByteSequence;
using standin::kNoSequence;

namespace {

const int kRunLength = 32;  // consecutive units from which a run is kept as its first unit
const int kGapLength = 8;   // default units from which a gap ends a segment
const int kUnitsPerLine = 32;

struct Measured {
  unsigned codePage;
  char16_t defaultUnit;
  std::vector<BYTE> leadByteRanges;
  bool isLeadByte[256];
  char16_t unitOfByte[256];
  std::vector<char16_t> unitOfPair = std::vector<char16_t>(0x10000);
  std::vector<ByteSequence> written = std::vector<ByteSequence>(0x10000);  // by WideCharToMultiByte
};

bool Fail(unsigned codePage, const char* what, unsigned value) {
  fprintf(stderr, "make_tables: code page %u: %s (0x%X)\n", codePage, what, value);
  return false;
}

bool Measure(unsigned codePage, Measured& m) {
  m.codePage = codePage;
  CPINFOEXW info;
  if (!GetCPInfoExW(codePage, 0, &info)) return Fail(codePage, "GetCPInfoExW failed", 0);
  m.defaultUnit = info.UnicodeDefaultChar;
  if (info.DefaultChar[0] != standin::kDefaultChar || info.DefaultChar[1] != 0)
    return Fail(codePage, "default character", info.DefaultChar[0]);
  for (bool& lead : m.isLeadByte) lead = false;
  for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
    if (info.LeadByte[i + 1] == 0xFF) return Fail(codePage, "0xFF is a lead byte", 0xFF);
    m.leadByteRanges.insert(m.leadByteRanges.end(), {info.LeadByte[i], info.LeadByte[i + 1]});
    for (unsigned b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b) m.isLeadByte[b] = true;
  }
  if ((info.MaxCharSize == 2) != !m.leadByteRanges.empty()) return Fail(codePage, "MaxCharSize", info.MaxCharSize);
  for (unsigned byte = 0; byte < 0x100; ++byte) {
    const char text[1] = {static_cast<char>(byte)};
    WCHAR unit[2];
    if (MultiByteToWideChar(codePage, 0, text, 1, unit, 2) != 1) return Fail(codePage, "byte not one unit", byte);
    m.unitOfByte[byte] = unit[0];
    if (byte < 0x80 && unit[0] != byte) return Fail(codePage, "byte below 0x80 not ASCII", byte);
    if (m.isLeadByte[byte] && unit[0] != m.defaultUnit) return Fail(codePage, "lead byte alone", byte);
  }
  for (unsigned pair = 0; pair < 0x10000; ++pair) {
    m.unitOfPair[pair] = m.defaultUnit;
    if (!m.isLeadByte[pair >> 8]) continue;
    const char text[2] = {static_cast<char>(pair >> 8), static_cast<char>(pair)};
    WCHAR unit[3];
    const int count = MultiByteToWideChar(codePage, 0, text, 2, unit, 3);
    if ((pair & 0xFF) == 0) {
      if (count != 2 || unit[0] != m.defaultUnit || unit[1] != 0) return Fail(codePage, "lead byte and NUL", pair);
    } else if (count != 1) {
      return Fail(codePage, "pair not one unit", pair);
    } else {
      m.unitOfPair[pair] = unit[0];
    }
  }
  for (unsigned value = 0; value < 0x10000; ++value) {
    const WCHAR unit = static_cast<WCHAR>(value);
    BYTE bytes[3] = {0, 0, 0};
    BOOL used = FALSE;
    const int count = WideCharToMultiByte(codePage, 0, &unit, 1, reinterpret_cast<LPSTR>(bytes), 3, nullptr, &used);
    if (count == 2 && !m.isLeadByte[bytes[0]]) return Fail(codePage, "two bytes without a lead byte", value);
    if (count != 1 && count != 2) return Fail(codePage, "unit not one or two bytes", value);
    m.written[value] = used ? kNoSequence : count == 1 ? bytes[0] : static_cast<ByteSequence>(bytes[0] << 8 | bytes[1]);
  }
  return true;
}

// Controls, spaces, marks that combine with what stands before them, format characters and
// private use are written as \uXXXX, as are right-to-left letters, which editors reorder,
// the quote and backslash, and '?', which can start a trigraph. The rest as itself.
bool NeedsEscape(char16_t unit) {
  static const char16_t kRanges[][2] = {
      {0x0000, 0x0020}, {0x0022, 0x0022}, {0x003F, 0x003F}, {0x005C, 0x005C}, {0x007F, 0x00A0}, {0x00AD, 0x00AD},
      {0x0300, 0x036F}, {0x0590, 0x08FF}, {0x0E31, 0x0E31}, {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E}, {0x1160, 0x11FF},
      {0x2000, 0x200F}, {0x2028, 0x202F}, {0x205F, 0x206F}, {0x20D0, 0x20FF}, {0x3000, 0x3000}, {0x3099, 0x309A},
      {0xD800, 0xF8FF}, {0xFB1D, 0xFDFF}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}, {0xFE70, 0xFEFF}, {0xFFF0, 0xFFFF}};
  for (const auto& range : kRanges)
    if (unit >= range[0] && unit <= range[1]) return true;
  return false;
}

void AppendUnit(std::string& out, char16_t unit) {
  char text[8];
  if (NeedsEscape(unit)) {
    snprintf(text, sizeof text, "\\u%04X", static_cast<unsigned>(unit));
    out += text;
  } else if (unit < 0x80) {
    out += static_cast<char>(unit);
  } else if (unit < 0x800) {
    out += static_cast<char>(0xC0 | unit >> 6);
    out += static_cast<char>(0x80 | (unit & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | unit >> 12);
    out += static_cast<char>(0x80 | (unit >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (unit & 0x3F));
  }
}

// A u"..."sv literal of the units, kUnitsPerLine to a line, continued lines indented so.
std::string Literal(const char16_t* units, size_t count, const std::string& indent) {
  std::string out = "u\"";
  for (size_t i = 0; i < count; ++i) {
    if (i > 0 && i % kUnitsPerLine == 0) out += "\"\n" + indent + "u\"";
    AppendUnit(out, units[i]);
  }
  return out + "\"sv";
}

std::string Hex(unsigned value, int digits) {
  char text[16];
  snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

// One lead byte's pairs: segments split where kGapLength default units or more lie between
// characters, with runs of kRunLength consecutive units or more taken out.
void AppendRow(const Measured& m, unsigned lead, std::string& segments, std::string& runs) {
  const char16_t* row = &m.unitOfPair[lead << 8];
  unsigned first = 1, last = 0xFF;
  while (first <= 0xFF && row[first] == m.defaultUnit) ++first;
  while (last >= first && row[last] == m.defaultUnit) --last;
  unsigned start = first;  // of the segment being gathered
  auto flush = [&](unsigned end) {
    if (end > start) {
      const std::string head = "    {" + Hex(lead, 2) + ", " + Hex(start, 2) + ", ";
      segments += head + Literal(row + start, end - start, std::string(head.size(), ' ')) + "},\n";
    }
  };
  for (unsigned trail = first; trail <= last;) {
    unsigned run = trail + 1;
    while (run <= last && row[run] == row[run - 1] + 1) ++run;
    unsigned gap = trail;
    while (gap <= last && row[gap] == m.defaultUnit) ++gap;
    if (run - trail >= kRunLength) {
      flush(trail);
      runs += "    {" + Hex(lead, 2) + ", " + Hex(trail, 2) + ", " + std::to_string(run - trail) + ", " +
              Hex(row[trail], 4) + "},\n";
      trail = start = run;
    } else if (gap - trail >= kGapLength) {
      flush(trail);
      trail = start = gap;
    } else {
      ++trail;
    }
  }
  flush(last + 1);
}

std::string TableText(const Measured& m, const char* madeUnder) {
  const std::string name = "cp" + std::to_string(m.codePage);
  std::string segments, runs, exceptions;
  for (unsigned lead = 0; lead < 0x100; ++lead)
    if (m.isLeadByte[lead]) AppendRow(m, lead, segments, runs);
  std::vector<ByteSequence> first(0x10000, kNoSequence);
  standin::FirstSequences(m.unitOfByte, m.isLeadByte, m.unitOfPair.data(), m.defaultUnit,
                          [&](char16_t unit) -> ByteSequence& { return first[unit]; });
  int count = 0;
  for (unsigned unit = 0; unit < 0x10000; ++unit) {
    if (m.written[unit] == first[unit]) continue;
    exceptions += std::string(count % 6 == 0 ? "\n    " : " ") + "{" + Hex(unit, 4) + ", " +
                  Hex(m.written[unit], m.written[unit] > 0xFF ? 4 : 2) + "},";
    ++count;
  }
  std::string leads;
  for (BYTE b : m.leadByteRanges) leads += (leads.empty() ? "" : ", ") + Hex(b, 2);
  auto list = [&](const char* type, const char* array, const std::string& rows) {
    return rows.empty() ? std::string() : std::string("const ") + type + " " + array + "[] = {\n" + rows + "};\n";
  };
  auto field = [&](const char* array, const std::string& rows) {
    return rows.empty() ? std::string("nullptr, 0") : name + "::" + array + ", std::size(" + name + "::" + array + ")";
  };
  std::string text = "// Code page " + std::to_string(m.codePage) +
                     " as Wine converts it. Generated by scripts/make-code-page-tables; do not edit.\n"
                     "// Made under " +
                     madeUnder +
                     " by scripts/code-page-tables/make_tables.cpp.\n\n"
                     "namespace " +
                     name + " {\n\n";
  text += "// MultiByteToWideChar: the unit of each byte from 0x80 on.\n";
  text += "constexpr std::u16string_view kHighBytes =\n    " + Literal(m.unitOfByte + 0x80, 0x80, "    ") + ";\n";
  if (!segments.empty())
    text += "\n// The pairs of each lead byte that map to a character.\n" + list("PairSegment", "kSegments", segments);
  if (!runs.empty()) text += "\n" + list("PairRun", "kRuns", runs);
  text += "\n// WideCharToMultiByte: the units written otherwise than the first byte sequence giving them.\n";
  text += list("UnitException", "kExceptions", exceptions.empty() ? "" : exceptions.substr(1) + "\n");
  text += "\n}  // namespace " + name + "\n\n";
  text += "const CodePageTable kCodePage" + std::to_string(m.codePage) + " = {" + std::to_string(m.codePage) + ", " +
          Hex(m.defaultUnit, 4) + ", {" + leads + "}, " + name + "::kHighBytes,\n    " + field("kSegments", segments) +
          ", " + field("kRuns", runs) + ",\n    " + field("kExceptions", exceptions) + "};\n";
  return text;
}

bool WriteText(const std::string& path, const std::string& text) {
  FILE* file = fopen(path.c_str(), "wb");
  const bool written = file != nullptr && fwrite(text.data(), 1, text.size(), file) == text.size();
  if (file != nullptr && fclose(file) != 0) return false;
  if (!written) fprintf(stderr, "make_tables: cannot write %s\n", path.c_str());
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: make_tables OUTPUT-FOLDER MADE-UNDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  std::string index = "// The stand-in's code page tables. Generated by scripts/make-code-page-tables; do not edit.\n";
  std::string list;
  for (unsigned codePage : standin::kAnsiCodePages) {
    Measured measured;
    if (!Measure(codePage, measured)) return 1;
    const std::string file = "cp" + std::to_string(codePage) + ".inc";
    if (!WriteText(folder + "\\" + file, TableText(measured, argv[2]))) return 1;
    index += "#include \"platform/standin/text/code_pages/" + file + "\"\n";
    list += "&kCodePage" + std::to_string(codePage) + ", ";
  }
  index += "\n// In the order of kAnsiCodePages.\nconst CodePageTable* const kCodePageTables[] = {" +
           list.substr(0, list.size() - 2) + "};\n";
  return WriteText(folder + "\\index.inc", index) ? 0 : 1;
}
