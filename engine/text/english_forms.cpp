#include "engine/text/english_forms.h"

#include <algorithm>
#include <array>

#include "engine/text/english_irregular_table.h"
#include "engine/text/spelling.h"

namespace tavlex {
namespace {

enum class Stem : uint8_t {
  kPlain,     // anything left of two letters or more
  kSibilant,  // ends in s, x, z, ch, sh or o: boxes, watches, goes
  kDoubled,   // ends in a doubled consonant, of which one goes: stopped
};

struct Ending {
  std::u16string_view suffix;
  std::u16string_view replacement;
  FormRule rule;
  Stem stem;
};

// Tried in this order; a form that two endings give is kept once.
constexpr std::array<Ending, 19> kEndings = {{
    {u"ies", u"y", FormRule::kPlural, Stem::kPlain},
    {u"es", u"", FormRule::kPlural, Stem::kSibilant},
    {u"s", u"", FormRule::kPlural, Stem::kPlain},
    {u"ied", u"y", FormRule::kPast, Stem::kPlain},
    {u"ed", u"", FormRule::kPast, Stem::kPlain},
    {u"ed", u"e", FormRule::kPast, Stem::kPlain},
    {u"ed", u"", FormRule::kPast, Stem::kDoubled},
    {u"ying", u"ie", FormRule::kIng, Stem::kPlain},
    {u"ing", u"", FormRule::kIng, Stem::kPlain},
    {u"ing", u"e", FormRule::kIng, Stem::kPlain},
    {u"ing", u"", FormRule::kIng, Stem::kDoubled},
    {u"ier", u"y", FormRule::kComparative, Stem::kPlain},
    {u"er", u"", FormRule::kComparative, Stem::kPlain},
    {u"er", u"e", FormRule::kComparative, Stem::kPlain},
    {u"er", u"", FormRule::kComparative, Stem::kDoubled},
    {u"iest", u"y", FormRule::kSuperlative, Stem::kPlain},
    {u"est", u"", FormRule::kSuperlative, Stem::kPlain},
    {u"est", u"e", FormRule::kSuperlative, Stem::kPlain},
    {u"est", u"", FormRule::kSuperlative, Stem::kDoubled},
}};

constexpr size_t kShortestStem = 2;
constexpr std::u16string_view kDoubledConsonants = u"bdgklmnprtvz";
constexpr std::u16string_view kApostrophes = u"'\u2019";

constexpr std::u16string_view kPossessivePronouns[] = {u"my",  u"your", u"his",  u"her",
                                                       u"its", u"our",  u"their"};
constexpr std::u16string_view kReflexivePronouns[] = {u"myself", u"yourself",  u"himself",    u"herself",
                                                      u"itself", u"ourselves", u"yourselves", u"themselves"};
constexpr std::u16string_view kObjectPronouns[] = {u"it",    u"them", u"him",       u"her",     u"me",
                                                   u"us",    u"you",  u"this",      u"that",    u"these",
                                                   u"those", u"one",  u"something", u"someone", u"somebody"};
// The adverbs and prepositions that make phrasal verbs.
constexpr std::u16string_view kParticles[] = {
    u"about", u"across", u"after",   u"along",    u"apart", u"around", u"aside", u"away", u"back",
    u"by",    u"down",   u"forth",   u"forward",  u"in",    u"into",   u"off",   u"on",   u"out",
    u"over",  u"round",  u"through", u"together", u"under", u"up",     u"upon"};
constexpr size_t kLongestObject = 3;
constexpr size_t kLongestSlot = 3;
constexpr std::u16string_view kSlot = u"～";

template <size_t N>
bool IsOneOf(std::u16string_view word, const std::u16string_view (&list)[N]) {
  return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

bool StemFits(Stem stem, std::u16string_view left) {
  if (left.size() < kShortestStem) return false;
  switch (stem) {
    case Stem::kPlain:
      return true;
    case Stem::kSibilant:
      return left.ends_with(u's') || left.ends_with(u'x') || left.ends_with(u'z') || left.ends_with(u"ch") ||
             left.ends_with(u"sh") || left.ends_with(u'o');
    case Stem::kDoubled:
      return left.size() > kShortestStem && left[left.size() - 1] == left[left.size() - 2] &&
             kDoubledConsonants.find(left.back()) != std::u16string_view::npos;
  }
  return false;
}

void AddOnce(std::vector<FormCandidate>& forms, FormCandidate candidate) {
  const bool known = std::any_of(forms.begin(), forms.end(),
                                 [&](const FormCandidate& f) { return f.form == candidate.form; });
  if (!known && !candidate.form.empty()) forms.push_back(std::move(candidate));
}

// The base forms of a lower-case word that has no possessive ending.
void AddInflections(std::u16string_view lower, const std::vector<FormRule>& outer,
                    std::vector<FormCandidate>& forms) {
  const auto with = [&](FormRule rule) {
    std::vector<FormRule> rules{rule};
    rules.insert(rules.end(), outer.begin(), outer.end());
    return rules;
  };
  for (const FormCandidate& irregular : IrregularEnglishForms(lower)) {
    AddOnce(forms, {irregular.form, with(irregular.rules.front())});
  }
  for (const Ending& ending : kEndings) {
    if (!lower.ends_with(ending.suffix)) continue;
    std::u16string_view left = lower.substr(0, lower.size() - ending.suffix.size());
    if (!StemFits(ending.stem, left)) continue;
    if (ending.stem == Stem::kDoubled) left.remove_suffix(1);
    if (ending.suffix == u"s" && left.ends_with(u's')) continue;  // glass, not glas
    AddOnce(forms, {std::u16string(left) + std::u16string(ending.replacement), with(ending.rule)});
  }
}

}  // namespace

std::vector<FormCandidate> IrregularEnglishForms(std::u16string_view lowerWord) {
  const std::span<const IrregularForm> table = IrregularFormTable();
  const auto [first, last] =
      std::equal_range(table.begin(), table.end(), IrregularForm{lowerWord, {}, {}},
                       [](const IrregularForm& a, const IrregularForm& b) { return a.form < b.form; });
  std::vector<FormCandidate> forms;
  for (auto it = first; it != last; ++it) forms.push_back({std::u16string(it->base), {it->rule}});
  return forms;
}

std::vector<FormCandidate> EnglishWordForms(std::u16string_view word) {
  std::vector<FormCandidate> forms{{std::u16string(word), {}}};
  const std::u16string lower = LowerCase(std::u16string(word));
  if (lower != word) forms.push_back({lower, {}});
  AddInflections(lower, {}, forms);
  // The possessive: the teacher's, the teachers'.
  if (lower.size() > 2 && kApostrophes.find(lower[lower.size() - 2]) != std::u16string_view::npos &&
      lower.back() == u's') {
    const std::u16string owner = lower.substr(0, lower.size() - 2);
    AddOnce(forms, {owner, {FormRule::kPossessive}});
    AddInflections(owner, {FormRule::kPossessive}, forms);
  } else if (lower.size() > 2 && kApostrophes.find(lower.back()) != std::u16string_view::npos &&
             lower[lower.size() - 2] == u's') {
    const std::u16string owners = lower.substr(0, lower.size() - 1);
    AddOnce(forms, {owners, {FormRule::kPossessive}});
    AddInflections(owners, {FormRule::kPossessive}, forms);
  }
  // The lower-case word stands for the word itself: it folds alike.
  if (lower != word) forms.erase(forms.begin() + 1);
  return forms;
}

namespace {

struct Alternative {
  std::u16string text;
  std::vector<FormRule> rules;
};

class PhraseWalk {
 public:
  PhraseWalk(const std::vector<std::u16string_view>& words, const PhraseRules& rules,
             const std::function<void(PhraseForm&&)>& found)
      : words_(words), rules_(rules), found_(found), alternatives_(words.size()) {
    for (const std::u16string_view word : words) lower_.push_back(LowerCase(std::u16string(word)));
  }

  void Run() {
    if (words_.empty()) return;
    for (const Alternative& first : Alternatives(0)) {
      if (Continues(first.text)) Walk(1, first.text, first.rules, false);
    }
  }

 private:
  bool Continues(std::u16string_view start) {
    if (made_ >= kMostPhraseForms) return false;
    ++made_;
    return !rules_.continues || rules_.continues(start);
  }

  const std::vector<Alternative>& Alternatives(size_t i) {
    std::vector<Alternative>& list = alternatives_[i];
    if (!list.empty()) return list;
    for (FormCandidate& form : EnglishWordForms(words_[i]))
      list.push_back({std::move(form.form), std::move(form.rules)});
    const std::u16string& lower = lower_[i];
    const auto add = [&](std::u16string text, FormRule rule) {
      const bool known =
          std::any_of(list.begin(), list.end(), [&](const Alternative& a) { return a.text == text; });
      if (!known && !text.empty()) list.push_back({std::move(text), {rule}});
    };
    if (IsOneOf(lower, kPossessivePronouns)) {
      add(u"one's", FormRule::kPossessivePronoun);
      add(u"someone's", FormRule::kPossessivePronoun);
    }
    if (IsOneOf(lower, kReflexivePronouns)) add(u"oneself", FormRule::kReflexivePronoun);
    if (rules_.irregularBase) add(rules_.irregularBase(lower), FormRule::kIrregularForm);
    return list;
  }

  static std::vector<FormRule> Joined(const std::vector<FormRule>& a, const std::vector<FormRule>& b) {
    std::vector<FormRule> rules = a;
    rules.insert(rules.end(), b.begin(), b.end());
    return rules;
  }

  // form covers the first `next` words.
  void Walk(size_t next, const std::u16string& form, std::vector<FormRule> rules, bool gapUsed) {
    found_({{form, rules}, next});
    if (next >= words_.size() || !Continues(form + u' ')) return;
    // The first word of a longer phrase is its verb: its -s is the third person.
    if (next == 1) std::replace(rules.begin(), rules.end(), FormRule::kPlural, FormRule::kThirdPerson);
    for (const Alternative& word : Alternatives(next)) {
      const std::u16string longer = form + u' ' + word.text;
      if (Continues(longer)) Walk(next + 1, longer, Joined(rules, word.rules), gapUsed);
    }
    if (gapUsed) return;
    if (next == 1) {
      for (size_t skipped = 1; skipped <= kLongestObject && next + skipped < words_.size(); ++skipped) {
        const std::u16string& particle = lower_[next + skipped];
        if (!IsOneOf(particle, kParticles)) continue;
        // A single word may be anything; a longer object holds no pronoun.
        if (skipped > 1 && IsOneOf(lower_[next], kObjectPronouns)) continue;
        const std::u16string longer = form + u' ' + particle;
        if (Continues(longer)) Walk(next + skipped + 1, longer, Joined(rules, {FormRule::kObject}), true);
      }
    }
    const std::u16string slotted = form + u' ' + std::u16string(kSlot);
    if (!Continues(slotted)) return;
    for (size_t filled = 1; filled <= kLongestSlot && next + filled <= words_.size(); ++filled) {
      Walk(next + filled, slotted, Joined(rules, {FormRule::kSlot}), true);
    }
  }

  const std::vector<std::u16string_view>& words_;
  const PhraseRules& rules_;
  const std::function<void(PhraseForm&&)>& found_;
  std::vector<std::u16string> lower_;
  std::vector<std::vector<Alternative>> alternatives_;
  size_t made_ = 0;
};

}  // namespace

void EnglishPhraseForms(const std::vector<std::u16string_view>& words, const PhraseRules& rules,
                        const std::function<void(PhraseForm&&)>& found) {
  PhraseWalk(words, rules, found).Run();
}

}  // namespace tavlex
