// Entries to keep in the word book's tests, written in a line each.
#pragma once

#include <string>

#include "wordbook/kept_entry.h"

namespace tavlex::testing {

struct Sample {
  std::u16string headword = {};
  std::u16string translation = u"訳";
  std::u16string path = u"/dic/english.dic";
  std::u16string source = {};
  uint32_t begin = 0;
  uint32_t end = 0;
  int64_t keptAt = 0;
  std::u16string example = {};
  std::u16string pronunciation = {};
};

inline wordbook::KeptEntry Kept(const Sample& sample) {
  wordbook::KeptEntry entry;
  entry.keptAt = sample.keptAt;
  entry.dictionaryName = u"English";
  entry.dictionaryPath = sample.path;
  entry.headword = sample.headword;
  entry.pronunciation = sample.pronunciation;
  entry.translation = sample.translation;
  entry.example = sample.example;
  entry.sourceText = sample.source;
  entry.coveredBegin = sample.begin;
  entry.coveredEnd = sample.end;
  return entry;
}

}  // namespace tavlex::testing
