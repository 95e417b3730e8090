// Real text for the benchmark dictionaries, read from Debian packages:
// WordNet's lemmas, glosses and examples (wordnet-base), the Japanese–English
// word list edict (edict, EUC-JP), and the Japanese sentences of the manual
// pages in manpages-ja (gzip'd roff, read through gzip).
#pragma once

#include <string>
#include <vector>

namespace tavlex::bench {

// One meaning of an English word in WordNet.
struct WordNetSense {
  std::u16string lemma;  // underscores made spaces, adjective markers dropped
  char part = 'n';       // n, v, a (s is folded into a), r
  std::u16string definition;
  std::vector<std::u16string> examples;  // the quoted sentences of the gloss
};

// One line of edict: a Japanese headword, its reading, its English glosses.
struct EdictEntry {
  std::u16string headword;
  std::u16string reading;  // empty where the headword is written in kana
  std::vector<std::u16string> glosses;
};

struct RealText {
  std::vector<WordNetSense> senses;
  std::vector<EdictEntry> edict;
  std::vector<std::u16string> japaneseSentences;  // from the manual pages
};

// Reads every source once per process; throws std::runtime_error naming the
// package to install when a source is missing.
const RealText& LoadRealText();

}  // namespace tavlex::bench
