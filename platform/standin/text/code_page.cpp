#include "platform/standin/text/code_page.h"

#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/standin/text/unicode.h"

namespace standin {

using namespace std::literals;
#include "platform/standin/text/code_pages/index.inc"

// A code page's table unpacked for conversion in both directions.
struct CodePage {
  const CodePageTable* table;
  bool isLeadByte[256];
  char16_t unitOfByte[256];
  std::vector<char16_t> unitOfPair;  // by ByteSequence; only with lead bytes
  // What each unit is written as, in blocks of 256 units: the block of units high * 256 on
  // starts at blockStart[high]. Most blocks hold no character and share the first.
  size_t blockStart[256];
  std::vector<ByteSequence> sequences = std::vector<ByteSequence>(256, kNoSequence);
  ByteSequence defaultUnitSequence;  // what the default unit is written as
};

static ByteSequence& SequenceOf(CodePage& page, char16_t unit) {
  size_t& start = page.blockStart[unit >> 8];
  if (start == 0) {
    start = page.sequences.size();
    page.sequences.resize(start + 256, kNoSequence);
  }
  return page.sequences[start + (unit & 0xFF)];
}

static void Unpack(const CodePageTable& table, CodePage& page) {
  page.table = &table;
  for (bool& lead : page.isLeadByte) lead = false;
  for (size_t i = 0; i + 1 < sizeof table.leadByteRanges && table.leadByteRanges[i] != 0; i += 2) {
    for (unsigned b = table.leadByteRanges[i]; b <= table.leadByteRanges[i + 1]; ++b) page.isLeadByte[b] = true;
  }
  for (unsigned b = 0; b < 0x100; ++b)
    page.unitOfByte[b] = b < 0x80 ? static_cast<char16_t>(b) : table.highBytes[b - 0x80];
  if (table.leadByteRanges[0] != 0) page.unitOfPair.assign(0x10000, table.defaultUnit);
  for (size_t i = 0; i < table.segmentCount; ++i) {
    const PairSegment& segment = table.segments[i];
    for (size_t k = 0; k < segment.units.size(); ++k)
      page.unitOfPair[segment.lead * 0x100 + segment.firstTrail + k] = segment.units[k];
  }
  for (size_t i = 0; i < table.runCount; ++i) {
    const PairRun& run = table.runs[i];
    for (unsigned k = 0; k < run.count; ++k)
      page.unitOfPair[run.lead * 0x100 + run.firstTrail + k] = static_cast<char16_t>(run.firstUnit + k);
  }
  for (size_t& start : page.blockStart) start = 0;
  FirstSequences(page.unitOfByte, page.isLeadByte, page.unitOfPair.data(), table.defaultUnit,
                 [&](char16_t unit) -> ByteSequence& { return SequenceOf(page, unit); });
  for (size_t i = 0; i < table.exceptionCount; ++i)
    SequenceOf(page, table.exceptions[i].unit) = table.exceptions[i].sequence;
  page.defaultUnitSequence = SequenceOf(page, table.defaultUnit);
}

// The unpacked code page; null for UTF-8 and for a code page the stand-in lacks.
static const CodePage* FindCodePage(UINT codePage) {
  static std::unique_ptr<CodePage> unpacked[std::size(kCodePageTables)];
  for (size_t i = 0; i < std::size(kCodePageTables); ++i) {
    if (kCodePageTables[i]->codePage != codePage) continue;
    if (!unpacked[i]) {
      unpacked[i].reset(new CodePage);
      Unpack(*kCodePageTables[i], *unpacked[i]);
    }
    return unpacked[i].get();
  }
  return nullptr;
}

static bool IsPrivateUse(char16_t unit) {
  return unit >= 0xE000 && unit <= 0xF8FF;
}

// A lead byte takes any byte after it but NUL as its trail byte; alone, or before NUL, it
// gives the default unit. What MB_ERR_INVALID_CHARS refuses: a lead byte without its trail,
// a sequence giving the default unit that is not the default unit's own, and a single byte
// giving a private use unit.
std::u16string DecodeBytes(UINT codePage, const char* bytes, size_t count, bool* invalidSeen) {
  const CodePage* page = FindCodePage(codePage);
  if (page == nullptr) return Utf8ToUtf16(bytes, count, invalidSeen);
  const char16_t defaultUnit = page->table->defaultUnit;
  const unsigned char* s = reinterpret_cast<const unsigned char*>(bytes);
  std::u16string units;
  units.reserve(count);
  bool invalid = false;
  for (size_t i = 0; i < count; ++i) {
    char16_t unit;
    if (!page->isLeadByte[s[i]]) {
      unit = page->unitOfByte[s[i]];
      invalid |= (unit == defaultUnit && s[i] != page->defaultUnitSequence) || IsPrivateUse(unit);
    } else if (i + 1 < count && s[i + 1] != 0) {
      const ByteSequence pair = static_cast<ByteSequence>(s[i] << 8 | s[i + 1]);
      unit = page->unitOfPair[pair];
      invalid |= unit == defaultUnit && pair != page->defaultUnitSequence;
      ++i;
    } else {
      unit = defaultUnit;
      invalid = true;
    }
    units.push_back(unit);
  }
  if (invalidSeen != nullptr && invalid) *invalidSeen = true;
  return units;
}

EncodedText EncodeUnits(UINT codePage, const char16_t* units, size_t count, const char* defaultChar, size_t limit) {
  EncodedText out;
  const CodePage* page = FindCodePage(codePage);
  const bool pairs = page != nullptr && !page->unitOfPair.empty();
  char fallback[2] = {kDefaultChar, 0};
  if (defaultChar != nullptr) {
    fallback[0] = defaultChar[0];
    if (pairs && defaultChar[0] != 0) fallback[1] = defaultChar[1];
  }
  for (size_t i = 0; i < count; ++i) {
    // A unit meets a full buffer unseen: it sets no usedDefault.
    if (out.bytes.size() >= limit) {
      out.truncated = true;
      break;
    }
    char piece[4];
    size_t size = 0;
    bool surrogatePair = false;
    if (page == nullptr) {  // UTF-8: a surrogate pair is one character
      surrogatePair =
          units[i] >= 0xD800 && units[i] <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
      size = Utf16ToUtf8(units + i, surrogatePair ? 2 : 1).copy(piece, sizeof piece);
    } else if (const ByteSequence sequence = page->sequences[page->blockStart[units[i] >> 8] + (units[i] & 0xFF)];
               sequence != kNoSequence) {
      if (sequence > 0xFF) piece[size++] = static_cast<char>(sequence >> 8);
      piece[size++] = static_cast<char>(sequence);
    } else {
      out.usedDefault = true;
      piece[size++] = fallback[0];
      if (fallback[1] != 0) piece[size++] = fallback[1];
    }
    if (out.bytes.size() + size > limit) {
      out.truncated = true;
      break;
    }
    out.bytes.append(piece, size);
    if (surrogatePair) ++i;
  }
  return out;
}

}  // namespace standin
