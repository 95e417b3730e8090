// Decoding of BOCU-1, the binary-ordered compression of Unicode in which the
// text of BOCU-1 dictionaries is stored. Only the decoding side exists: queries
// are compared with stored text after the stored text has been decoded.
//
// A BOCU-1 byte is either a whole character (a control, the space, or a
// single-byte difference from the previous character's base `prev`), or the
// lead or a trail byte of a difference spread over two to four bytes.
//
// Why not ICU's "BOCU-1" converter, which the writer and the tests use: what
// a dictionary reader must do with a run cut short or damaged is fixed here
// (keep what was decoded before it, stop at a zero code point, never read
// past the record), while a general converter substitutes and goes on. The
// cost is speed: on translation-like text (bench/bocu1_bench) this decoder
// does about 170 MB/s against ICU's 290 MB/s, i.e. about a microsecond per
// record, small beside a block read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavlex {

// The state of one decoding pass. Every text run starts from a fresh state.
struct Bocu1Decoder {
  int32_t prev = 0;   // base for the next difference; 0 means "not started" (0x40)
  int32_t count = 0;  // trail bytes still expected
  int32_t diff = 0;   // difference gathered from the lead and trail bytes so far
};

// Results of DecodeBocu1Byte below zero.
inline constexpr int32_t kBocu1NoCharacter = -1;  // a lead or reset byte was consumed
inline constexpr int32_t kBocu1Error = -99;       // invalid byte or code point; state reset

// Feeds one byte; returns a code point (0 included), kBocu1NoCharacter or kBocu1Error.
int32_t DecodeBocu1Byte(Bocu1Decoder* state, uint8_t byte);

// The base for the difference that follows code point c.
int32_t Bocu1Prev(int32_t c);

// Decodes a run from a fresh state. With length 0 the run ends at its zero byte,
// which must exist; a positive length limits the bytes read. A zero code point
// or an invalid sequence ends the run; what was decoded before it is kept.
std::u16string DecodeBocu1String(const uint8_t* bytes, size_t length);
// The same, appended to result.
void AppendBocu1String(const uint8_t* bytes, size_t length, std::u16string& result);

// How a run that ends at its zero byte (as DecodeBocu1String reads it with
// length 0) compares with text, UTF-16 unit by unit, decoding no further
// than the first difference and allocating nothing: order is negative, zero
// or positive as the run sorts before, equal to or after text.
struct Bocu1Comparison {
  int order = 0;
  bool beginsWithText = false;
};
Bocu1Comparison CompareBocu1String(const uint8_t* bytes, std::u16string_view text);

}  // namespace tavlex
