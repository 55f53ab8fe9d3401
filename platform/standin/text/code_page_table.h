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
// indexed by the pair's ByteSequence (only read for lead bytes). sequenceOf(unit) gives the
// place of the unit's sequence, kNoSequence until one is found; a unit that none gives keeps
// it. WideCharToMultiByte writes these but for the exceptions.
template <class SequenceOf>
void FirstSequences(const char16_t* unitOfByte, const bool* isLeadByte, const char16_t* unitOfPair,
                    char16_t defaultUnit, SequenceOf&& sequenceOf) {
  auto take = [&](char16_t unit, unsigned sequence) {
    ByteSequence& place = sequenceOf(unit);
    if (place == kNoSequence) place = static_cast<ByteSequence>(sequence);
  };
  for (unsigned byte = 0; byte < 0x100; ++byte)
    if (!isLeadByte[byte]) take(unitOfByte[byte], byte);
  for (unsigned lead = 0; lead < 0x100; ++lead) {
    for (unsigned pair = lead << 8; isLeadByte[lead] && pair < (lead + 1) << 8; ++pair)
      if (unitOfPair[pair] != defaultUnit) take(unitOfPair[pair], pair);
  }
}

}  // namespace standin
