// The inflection search of a Dictionary: lower case, base forms, respelling
// and, last, the word without its accents.
#include "engine/dictionary.h"
#include "engine/dictionary_owner.h"
#include "engine/text/spelling.h"
#include "engine/text/text.h"

namespace tavlex {
namespace {

// Removed in this order, each from what the one before left.
constexpr const char16_t* kEndings[] = {u"s", u"ed", u"ing"};

void RemoveEndings(std::u16string* word) {
  for (const char16_t* ending : kEndings) {
    const int at = EndsWith(*word, ending);
    if (at >= 0) word->resize(static_cast<size_t>(at));
  }
}

}  // namespace

bool Dictionary::SearchInflected(const std::u16string& query) {
  if (!settings_.english) return false;
  if (Search(query)) return false;  // an exact headword: the plain result stands

  bool searchedAnotherText = false;
  const std::u16string lower = LowerCase(query);
  if (lower != query) {
    Search(lower);
    searchedAnotherText = true;
    if (!results_.empty()) return true;
  }

  // The phrase of base forms, word by word.
  std::u16string phrase;
  int position = 0;
  while (position >= 0) {
    std::u16string word = NextToken(lower, u" \t", &position);
    if (position < 0) break;
    if (settings_.accent) word = ExpandSpelling(word, true, true);
    std::u16string base = owner_ ? owner_->IrregularBaseForm(word) : std::u16string();
    if (!base.empty()) {
      word = std::move(base);
    } else if (settings_.englishConjugation) {
      RemoveEndings(&word);
    }
    phrase += word;
    phrase += u' ';
  }
  phrase.erase(phrase.find_last_not_of(u' ') + 1);
  if (phrase != lower) {
    Search(phrase);
    searchedAnotherText = true;
    if (!results_.empty()) return true;
  }

  const std::u16string expanded = ExpandSpelling(lower, false, settings_.accent);
  if (expanded != lower) {
    Search(expanded);
    return true;
  }
  // A word copied from a text often carries accents the dictionary files
  // it without ("naïve" under naive).
  if (settings_.accent) {
    const std::u16string plain = RemoveAccents(lower);
    if (plain != lower) {
      Search(plain);
      searchedAnotherText = true;
      if (!results_.empty()) return true;
    }
  }
  if (searchedAnotherText) Search(query);
  return false;
}

std::u16string Dictionary::ExpandSpelling(const std::u16string& word, bool useIrregularPrefixes,
                                          bool accents) {
  // Candidates are pruned at every letter to the spellings some headword
  // begins with; the word's own letter is always tried first.
  std::vector<std::u16string> candidates{std::u16string()};
  for (const char16_t c : word) {
    std::vector<std::u16string> next;
    const std::vector<char16_t> alternatives = AlternativesOf(c, accents);
    for (const std::u16string& candidate : candidates) {
      for (const char16_t alternative : alternatives) {
        std::u16string t = candidate + alternative;
        if (HasPrefix(t) || (useIrregularPrefixes && owner_ && owner_->IrregularHasPrefix(t))) {
          next.push_back(std::move(t));
        }
      }
    }
    if (next.empty()) return word;
    candidates = std::move(next);
  }
  return candidates.front();
}

}  // namespace tavlex
