#include "engine/text/form_rules.h"

#include <array>

namespace tavlex {
namespace {

struct RuleNames {
  std::string_view ascii;
  std::u16string_view display;
};

// In the order of FormRule.
constexpr std::array<RuleNames, kFormRuleCount> kNames = {{
    {"plural", u"複数形"},
    {"third-person", u"三人称単数現在"},
    {"past", u"過去形"},
    {"present-participle", u"現在分詞"},
    {"comparative", u"比較級"},
    {"superlative", u"最上級"},
    {"possessive", u"所有格"},
    {"irregular-form", u"不規則変化"},
    {"object", u"目的語"},
    {"possessive-pronoun", u"所有格代名詞"},
    {"reflexive-pronoun", u"再帰代名詞"},
    {"slot", u"語句の挿入"},
    {"polite", u"丁寧形"},
    {"negative", u"否定形"},
    {"te", u"て形"},
    {"progressive", u"ている形"},
    {"desire", u"たい形"},
    {"passive", u"受身形"},
    {"causative", u"使役形"},
    {"causative-passive", u"使役受身形"},
    {"potential", u"可能形"},
    {"conditional", u"仮定形"},
    {"tara", u"たら形"},
    {"volitional", u"意志形"},
    {"imperative", u"命令形"},
    {"zu", u"ず形"},
    {"nagara", u"ながら形"},
    {"sou", u"そう形"},
    {"adverbial", u"連用形"},
    {"suru-noun", u"サ変名詞"},
}};

}  // namespace

std::string_view RuleName(FormRule rule) { return kNames[static_cast<size_t>(rule)].ascii; }

std::u16string_view RuleDisplayName(FormRule rule) { return kNames[static_cast<size_t>(rule)].display; }

std::u16string FormLabel(std::u16string_view form, const std::vector<FormRule>& rules) {
  std::u16string label(form);
  if (rules.empty()) return label;
  label += u'（';
  for (size_t i = 0; i < rules.size(); ++i) {
    if (i > 0) label += u'・';
    label += RuleDisplayName(rules[i]);
  }
  label += u'）';
  return label;
}

}  // namespace tavlex
