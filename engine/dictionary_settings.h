// DictionarySettings: the eighteen settings of one dictionary, in the order in
// which they are read from and written to the settings file. The engine uses
// the first seven; the rest say how the view shows the dictionary's entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavlex {

struct DictionarySettings {
  int32_t cacheSize = 10;           // change it through Dictionary::SetCacheSize
  int32_t searchMax = 10;           // most entries one Search collects
  bool english = false;             // SearchInflected does anything at all
  bool irregular = false;           // a dictionary of irregular forms: a source, never searched
  bool accent = false;              // accented letters are tried in spelling expansion
  bool englishConjugation = false;  // the endings s, ed and ing are removed
  bool notUsed = false;             // left out of every search
  std::u16string indexFont;
  int32_t indexSize = 10;
  std::u16string transFont;
  int32_t transSize = 10;
  bool showPhonetic = false;
  std::u16string phoneticFont;
  int32_t phoneticSize = 10;
  bool showSample = false;
  std::u16string sampleFont;
  int32_t sampleSize = 10;
  std::u16string dicName;  // name in the menus; empty: the file name

  bool operator==(const DictionarySettings&) const = default;
};

// The most hits a search shows of one dictionary: searchMax, and one where
// searchMax is 0 or below.
inline size_t ShownLimit(const DictionarySettings& settings) {
  return settings.searchMax > 1 ? static_cast<size_t>(settings.searchMax) : 1;
}

}  // namespace tavlex
