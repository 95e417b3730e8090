// The dictionary forms of a Japanese text: its inflections undone from the
// end, by rules of Japanese grammar and without a dictionary.
//
// Every rule turns one ending into another and knows what kind of word each
// side is: 食べなかった is the past of an adjective-like form (〜ない), which
// is the negative of a 一段 verb, so 食べる. A rule is undone only where the
// kind its form has is one that the rule before may follow, so chains come
// apart only in an order the grammar allows (食べさせられなかった: causative,
// passive, negative, past) and 食べたます gives no 食べる. Verbs of every
// class (一段, 五段 of each ending with 行く's own te and past forms, する
// also after a noun, 来る in kanji and kana) and い-adjectives are covered.
#pragma once

#include <string_view>
#include <vector>

#include "engine/text/form_rules.h"

namespace tavlex {

// The text itself first (no rule), then every dictionary form the rules
// give, fewer rules first, each form once. Bounded: chains stop after a
// few rules, so any text ends quickly.
std::vector<FormCandidate> JapaneseDictionaryForms(std::u16string_view text);

// The longest ending that a rule removes, in UTF-16 units: a text's start
// longer than what some headword begins with by more than this finds nothing.
size_t LongestJapaneseEnding();

}  // namespace tavlex
