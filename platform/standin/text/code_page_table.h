// The form in which the stand-in keeps an ANSI code page: what MultiByteToWideChar gives
// for each byte and each lead and trail byte pair, and what WideCharToMultiByte writes where
// that differs from the first byte sequence giving the unit. The tables are made by
// scripts/make-code-page-tables, which builds against this header, from what Wine's own
// conversion functions give.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace standin {

// The ANSI code pages an XP installation can have. The stand-in has a table for each, and
// UTF-8 (65001) besides.
constexpr unsigned kAnsiCodePages[] = {874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};

constexpr bool HasCodePage(unsigned codePage) {
  for (unsigned known : kAnsiCodePages)
    if (known == codePage) return true;
  return codePage == 65001;
}

// A byte sequence as one number: a single byte as itself, a lead and trail byte pair as
// lead * 256 + trail (no lead byte is below 0x80). kNoSequence: the default character.
typedef uint16_t ByteSequence;
constexpr ByteSequence kNoSequence = 0xFFFF;

// The pairs lead:firstTrail onwards, one unit per trail byte.
struct PairSegment {
  uint8_t lead, firstTrail;
  std::u16string_view units;
};

// The pairs lead:firstTrail onwards whose units rise by one from firstUnit.
struct PairRun {
  uint8_t lead, firstTrail, count;
  char16_t firstUnit;
};

// A unit that WideCharToMultiByte writes otherwise than FirstSequences says: its best-fit
// character, a later byte sequence of the same unit, or the default character.
struct UnitException {
  char16_t unit;
  ByteSequence sequence;
};

// Every code page here writes '?' for a unit it has no character for.
constexpr char kDefaultChar = '?';

struct CodePageTable {
  unsigned codePage;
  char16_t defaultUnit;           // of a pair that maps to nothing, and of a lead byte alone
  uint8_t leadByteRanges[12];     // first and last lead byte of each range, then zeros
  std::u16string_view highBytes;  // the unit of each byte from 0x80 on (below: ASCII)
  const PairSegment* segments;    // every pair of a lead byte outside them: defaultUnit
  size_t segmentCount;
  const PairRun* runs;
  size_t runCount;
  const UnitException* exceptions;  // in order of the unit
  size_t exceptionCount;
};

// The first byte sequence, in ascending order, that gives each unit: the single bytes that
// are not lead bytes, then the pairs that map to something. unitOfPair holds 65536 units
// indexed by the pair's ByteSequence (only read for lead bytes); firstSequence receives
// 65536 sequences, kNoSequence for a unit that none gives. WideCharToMultiByte writes these
// but for the exceptions.
inline void FirstSequences(const char16_t* unitOfByte, const bool* isLeadByte, const char16_t* unitOfPair,
                           char16_t defaultUnit, ByteSequence* firstSequence) {
  for (size_t unit = 0; unit < 0x10000; ++unit) firstSequence[unit] = kNoSequence;
  for (unsigned byte = 0; byte < 0x100; ++byte) {
    if (!isLeadByte[byte] && firstSequence[unitOfByte[byte]] == kNoSequence)
      firstSequence[unitOfByte[byte]] = static_cast<ByteSequence>(byte);
  }
  for (unsigned pair = 0x100; pair < 0x10000; ++pair) {
    if (!isLeadByte[pair >> 8]) continue;
    const char16_t unit = unitOfPair[pair];
    if (unit != defaultUnit && firstSequence[unit] == kNoSequence) firstSequence[unit] = static_cast<ByteSequence>(pair);
  }
}

}  // namespace standin
