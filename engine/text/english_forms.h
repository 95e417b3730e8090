// The dictionary forms of English words and phrases: inflections undone by
// the spelling rules of English grammar and by a list of irregular forms that
// the program carries (english_irregular_table.cpp), without a dictionary.
//
// A word: the irregular forms (went, children, better), plurals and the third
// person (-s, -es, -ies), the past and its participle (-ed, -d, -ied and a
// doubled final consonant: stopped), -ing (making, running, lying),
// comparatives and superlatives (-er, -est, -ier, -iest, bigger) and the
// possessive 's. Rules look at the word in lower case, so a capital letter at
// the start of a sentence changes nothing; the form keeps its case where no
// rule was undone.
//
// A phrase: any word may be inflected; an object between a verb and its
// particle drops out (turned it off, turned the light off: turn off); a
// possessive pronoun stands for one's and someone's, a reflexive one for
// oneself; one to three words fill a slot that a dictionary writes as ～.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text/form_rules.h"

namespace tavlex {

// The word itself first (no rule), then its base forms, fewer rules first,
// each once. The -s rule is named plural here.
std::vector<FormCandidate> EnglishWordForms(std::u16string_view word);

// The base forms that the list of irregular forms gives a lower-case word,
// with the rule each undoes.
std::vector<FormCandidate> IrregularEnglishForms(std::u16string_view lowerWord);

// A phrase form of the first `words` words of a text.
struct PhraseForm {
  FormCandidate candidate;
  size_t words = 0;
};

struct PhraseRules {
  // Whether some headword begins with this start of a form: the walk stops
  // at the first start that none does. By default everything continues.
  std::function<bool(std::u16string_view start)> continues;
  // More base forms of a lower-case word (a dictionary of irregular forms);
  // empty when there is none.
  std::function<std::u16string(const std::u16string& lowerWord)> irregularBase;
};

// Calls found for every form of the text's first 1..words.size() words, in
// no set order: the caller ranks them. The walk stops at a start that does
// not continue; at most kMostPhraseForms starts are tried, whatever the words.
void EnglishPhraseForms(const std::vector<std::u16string_view>& words, const PhraseRules& rules,
                        const std::function<void(PhraseForm&&)>& found);

inline constexpr size_t kMostPhraseForms = 20000;

}  // namespace tavlex
