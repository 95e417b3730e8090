// The records of the benchmark dictionaries, made of real text (bench/real_text.h).
//
// Short entries, a Japanese–English and English–Japanese word list: edict's
// entries as they are (headword, reading as the pronunciation, glosses), the
// English words of WordNet with their Japanese equivalents from edict and
// their definition, edict's glosses turned round, and phrases of an
// adjective and a noun from WordNet with both words' equivalents and
// definitions, until the wanted count is reached.
//
// Long translations, an English–Japanese dictionary: the same English
// headwords, each with two or three numbered senses, each sense a Japanese
// sentence from the manual pages and a WordNet definition, the first also
// with the Japanese equivalents and an example. The senses recombine real sentences, so that no
// two entries share one translation.
#pragma once

#include <vector>

#include "tools/dicwriter/dictionary_writer.h"

namespace tavlex::bench {

enum class Shape {
  kShortEntries,      // a one-line translation, a reading on the Japanese headwords
  kLongTranslations,  // a translation of several hundred bytes: two or three records a block
};

// `entries` records with distinct keys, each encodable in the charset.
std::vector<dicwriter::Record> RealRecords(int entries, Shape shape, dicwriter::Charset charset);

}  // namespace tavlex::bench
