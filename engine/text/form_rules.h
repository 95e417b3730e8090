// The inflections that the look-up of a selected text undoes, English and
// Japanese, and how they are named: a stable ASCII name for programs
// (tavlex-lookup --json) and a Japanese one for the window. A list of rules
// is always given innermost first, from the dictionary form outwards:
// 食べさせられなかった is causative, passive, negative, past.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavlex {

enum class FormRule : uint8_t {
  // English words
  kPlural,         // children, boxes, cities
  kThirdPerson,    // takes, goes (the first word of a phrase)
  kPast,           // took, walked, stopped; also 食べた, 美しかった
  kIng,            // making, running, lying
  kComparative,    // bigger, happier, better
  kSuperlative,    // biggest, best
  kPossessive,     // the teacher's
  kIrregularForm,  // a base form from a dictionary of irregular forms
  // English phrases
  kObject,             // turned it off → turn off
  kPossessivePronoun,  // lost his temper → lose one's temper
  kReflexivePronoun,   // enjoyed himself → enjoy oneself
  kSlot,               // took it into account → take ～ into account
  // Japanese
  kPolite,            // 食べます
  kNegative,          // 食べない, 食べません, 美しくない
  kTe,                // 食べて, 美しくて
  kProgressive,       // 食べている, 食べてる
  kDesire,            // 食べたい
  kPassive,           // 食べられる, 書かれる
  kCausative,         // 食べさせる, 書かせる
  kCausativePassive,  // 書かされる
  kPotential,         // 書ける, 食べれる
  kConditional,       // 食べれば, 美しければ
  kTara,              // 食べたら
  kVolitional,        // 食べよう, 食べましょう
  kImperative,        // 食べろ, 書け
  kZu,                // 食べず
  kNagara,            // 食べながら
  kSou,               // 食べそう, 美しそう
  kAdverbial,         // 美しく
  kSuruNoun,          // 勉強する → 勉強
};

inline constexpr size_t kFormRuleCount = static_cast<size_t>(FormRule::kSuruNoun) + 1;

// "past", "causative-passive": lower case ASCII with hyphens, never changed once published.
std::string_view RuleName(FormRule rule);
// 過去形, 使役受身形: for the headings of the window and the pop-up.
std::u16string_view RuleDisplayName(FormRule rule);

// A form found with the rules undone, for a heading: "take care of（過去形）",
// the display names joined by ・; the form alone when no rule was undone.
std::u16string FormLabel(std::u16string_view form, const std::vector<FormRule>& rules);

// A dictionary form made from a text, and the rules undone to get there.
struct FormCandidate {
  std::u16string form;
  std::vector<FormRule> rules;  // innermost first

  bool operator==(const FormCandidate&) const = default;
};

}  // namespace tavlex
