#include "engine/text/japanese_forms.h"

#include <algorithm>
#include <array>
#include <deque>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>

namespace tavlex {
namespace {

// What kind of word a form is. A rule's form has one kind; the word it came
// from may be any of the kinds the rule accepts.
enum Kind : uint32_t {
  kIchidan = 1 << 0,         // 食べる: 一段 verb, dictionary form
  kGodan = 1 << 1,           // 書く: 五段 verb, dictionary form
  kKuru = 1 << 2,            // 来る
  kSuru = 1 << 3,            // する, 勉強する
  kAdjective = 1 << 4,       // 美しい
  kNoun = 1 << 5,            // 勉強, what is left of 勉強する
  kNaiForm = 1 << 6,         // 食べない: inflects as an adjective
  kTaiForm = 1 << 7,         // 食べたい: inflects as an adjective
  kMasuForm = 1 << 8,        // 食べます
  kMasenForm = 1 << 9,       // 食べません
  kPassiveForm = 1 << 10,    // 食べられる: inflects as a 一段 verb, as the three below do
  kCausativeForm = 1 << 11,  // 食べさせる
  kPotentialForm = 1 << 12,  // 書ける
  kTeiruForm = 1 << 13,      // 食べている
  kTeForm = 1 << 14,         // 食べて: only ている may follow
  kFinalForm = 1 << 15,      // 食べた, 食べれば, 食べよう...: nothing follows
};

constexpr uint32_t kDictionaryKinds = kIchidan | kGodan | kKuru | kSuru | kAdjective | kNoun;
constexpr uint32_t kIchidanLike = kIchidan | kPassiveForm | kCausativeForm | kPotentialForm | kTeiruForm;
constexpr uint32_t kAdjectiveLike = kAdjective | kNaiForm | kTaiForm;
constexpr uint32_t kAnyKind = 0xFFFF;

// Past this many rules a chain is no Japanese.
constexpr size_t kMostRules = 8;
// A bound on the forms tried for one text, whatever it holds.
constexpr size_t kMostStates = 400;

enum class Stem : uint8_t {
  kAny,      // what is left may be empty (する, 来る and their forms)
  kWord,     // something must be left
  kIchidan,  // something must be left, ending in a kanji or a kana of the i or e row
};

struct Rule {
  std::u16string from;  // the ending of the inflected form
  std::u16string to;    // what replaces it
  FormRule name;
  uint32_t kind;     // the kind of the inflected form
  uint32_t accepts;  // the kinds the word it came from may have
  Stem stem;
};

struct GodanRow {
  char16_t u, a, i, e, o;
  std::u16string_view te, ta;
};

constexpr std::array<GodanRow, 9> kGodanRows = {{
    {u'う', u'わ', u'い', u'え', u'お', u"って", u"った"},
    {u'く', u'か', u'き', u'け', u'こ', u"いて", u"いた"},
    {u'ぐ', u'が', u'ぎ', u'げ', u'ご', u"いで", u"いだ"},
    {u'す', u'さ', u'し', u'せ', u'そ', u"して", u"した"},
    {u'つ', u'た', u'ち', u'て', u'と', u"って", u"った"},
    {u'ぬ', u'な', u'に', u'ね', u'の', u"んで", u"んだ"},
    {u'ぶ', u'ば', u'び', u'べ', u'ぼ', u"んで", u"んだ"},
    {u'む', u'ま', u'み', u'め', u'も', u"んで", u"んだ"},
    {u'る', u'ら', u'り', u'れ', u'ろ', u"って", u"った"},
}};

// The forms that every verb has after its stem, for the 一段 paradigm: the
// ending, the rule and the kind of the form.
struct StemForm {
  std::u16string_view ending;
  FormRule name;
  uint32_t kind;
};

constexpr StemForm kIchidanForms[] = {
    {u"ない", FormRule::kNegative, kNaiForm},
    {u"ます", FormRule::kPolite, kMasuForm},
    {u"た", FormRule::kPast, kFinalForm},
    {u"て", FormRule::kTe, kTeForm},
    {u"たい", FormRule::kDesire, kTaiForm},
    {u"よう", FormRule::kVolitional, kFinalForm},
    {u"ろ", FormRule::kImperative, kFinalForm},
    {u"よ", FormRule::kImperative, kFinalForm},
    {u"れば", FormRule::kConditional, kFinalForm},
    {u"たら", FormRule::kTara, kFinalForm},
    {u"ず", FormRule::kZu, kFinalForm},
    {u"ながら", FormRule::kNagara, kFinalForm},
    {u"そう", FormRule::kSou, kFinalForm},
};

class RuleBook {
 public:
  RuleBook() {
    AddIchidan();
    AddGodan();
    AddSuru();
    AddKuru();
    AddAdjective();
    AddAuxiliaries();
    for (size_t i = 0; i < rules_.size(); ++i) {
      byLastUnit_[rules_[i].from.back()].push_back(i);
      longest_ = std::max(longest_, rules_[i].from.size());
    }
  }

  const std::vector<size_t>* EndingIn(char16_t last) const {
    const auto it = byLastUnit_.find(last);
    return it == byLastUnit_.end() ? nullptr : &it->second;
  }
  const Rule& rule(size_t i) const { return rules_[i]; }
  size_t longest() const { return longest_; }

 private:
  void Add(std::u16string from, std::u16string to, FormRule name, uint32_t kind, uint32_t accepts,
           Stem stem) {
    rules_.push_back({std::move(from), std::move(to), name, kind, accepts, stem});
  }

  void AddIchidan() {
    for (const StemForm& form : kIchidanForms) {
      Add(std::u16string(form.ending), u"る", form.name, form.kind, kIchidanLike, Stem::kIchidan);
    }
    Add(u"られる", u"る", FormRule::kPassive, kPassiveForm, kIchidan | kCausativeForm, Stem::kIchidan);
    Add(u"れる", u"る", FormRule::kPotential, kPotentialForm, kIchidan, Stem::kIchidan);  // ら抜き
    Add(u"させる", u"る", FormRule::kCausative, kCausativeForm, kIchidan, Stem::kIchidan);
  }

  void AddGodan() {
    for (const GodanRow& row : kGodanRows) {
      const std::u16string u(1, row.u);
      const auto add = [&](char16_t stem, std::u16string_view ending, FormRule name, uint32_t kind) {
        std::u16string from(1, stem);
        from += ending;
        Add(from, u, name, kind, kGodan, Stem::kWord);
      };
      add(row.a, u"ない", FormRule::kNegative, kNaiForm);
      add(row.a, u"ず", FormRule::kZu, kFinalForm);
      add(row.a, u"れる", FormRule::kPassive, kPassiveForm);
      add(row.a, u"せる", FormRule::kCausative, kCausativeForm);
      if (row.u != u'す') add(row.a, u"される", FormRule::kCausativePassive, kPassiveForm);
      add(row.i, u"ます", FormRule::kPolite, kMasuForm);
      add(row.i, u"たい", FormRule::kDesire, kTaiForm);
      add(row.i, u"ながら", FormRule::kNagara, kFinalForm);
      add(row.i, u"そう", FormRule::kSou, kFinalForm);
      add(row.e, u"る", FormRule::kPotential, kPotentialForm);
      add(row.e, u"ば", FormRule::kConditional, kFinalForm);
      add(row.e, u"", FormRule::kImperative, kFinalForm);
      add(row.o, u"う", FormRule::kVolitional, kFinalForm);
      Add(std::u16string(row.te), u, FormRule::kTe, kTeForm, kGodan, Stem::kWord);
      Add(std::u16string(row.ta), u, FormRule::kPast, kFinalForm, kGodan, Stem::kWord);
      Add(std::u16string(row.ta) + u"ら", u, FormRule::kTara, kFinalForm, kGodan, Stem::kWord);
    }
    // 行く is the one 五段 verb in く whose te and past forms are 行って and 行った.
    for (const std::u16string_view stem : {u"行", u"い"}) {
      const std::u16string s(stem);
      Add(s + u"って", s + u"く", FormRule::kTe, kTeForm, kGodan, Stem::kAny);
      Add(s + u"った", s + u"く", FormRule::kPast, kFinalForm, kGodan, Stem::kAny);
      Add(s + u"ったら", s + u"く", FormRule::kTara, kFinalForm, kGodan, Stem::kAny);
    }
  }

  // The forms of する and 来る: the verb's own stem changes, so each form is spelled out.
  struct WholeForm {
    std::u16string_view form;
    FormRule name;
    uint32_t kind;
  };

  void AddWhole(std::u16string_view base, std::initializer_list<WholeForm> forms, uint32_t accepts) {
    for (const WholeForm& f : forms)
      Add(std::u16string(f.form), std::u16string(base), f.name, f.kind, accepts, Stem::kAny);
  }

  void AddSuru() {
    AddWhole(u"する",
             {{u"しない", FormRule::kNegative, kNaiForm},
              {u"します", FormRule::kPolite, kMasuForm},
              {u"した", FormRule::kPast, kFinalForm},
              {u"して", FormRule::kTe, kTeForm},
              {u"したら", FormRule::kTara, kFinalForm},
              {u"したい", FormRule::kDesire, kTaiForm},
              {u"される", FormRule::kPassive, kPassiveForm},
              {u"させる", FormRule::kCausative, kCausativeForm},
              {u"できる", FormRule::kPotential, kPotentialForm},
              {u"しよう", FormRule::kVolitional, kFinalForm},
              {u"しろ", FormRule::kImperative, kFinalForm},
              {u"せよ", FormRule::kImperative, kFinalForm},
              {u"すれば", FormRule::kConditional, kFinalForm},
              {u"せず", FormRule::kZu, kFinalForm},
              {u"しながら", FormRule::kNagara, kFinalForm},
              {u"しそう", FormRule::kSou, kFinalForm}},
             kSuru);
    // 勉強する is 勉強 made a verb.
    Add(u"する", u"", FormRule::kSuruNoun, kSuru, kNoun, Stem::kWord);
  }

  void AddKuru() {
    // 来る in kanji keeps 来 in every form; in kana its stem is く, こ or き.
    struct KuruForm {
      std::u16string_view kanaStem;
      std::u16string_view ending;
      FormRule name;
      uint32_t kind;
    };
    constexpr KuruForm kForms[] = {
        {u"こ", u"ない", FormRule::kNegative, kNaiForm},
        {u"き", u"ます", FormRule::kPolite, kMasuForm},
        {u"き", u"た", FormRule::kPast, kFinalForm},
        {u"き", u"て", FormRule::kTe, kTeForm},
        {u"き", u"たら", FormRule::kTara, kFinalForm},
        {u"き", u"たい", FormRule::kDesire, kTaiForm},
        {u"こ", u"られる", FormRule::kPassive, kPassiveForm},
        {u"こ", u"させる", FormRule::kCausative, kCausativeForm},
        {u"こ", u"れる", FormRule::kPotential, kPotentialForm},
        {u"こ", u"よう", FormRule::kVolitional, kFinalForm},
        {u"こ", u"い", FormRule::kImperative, kFinalForm},
        {u"く", u"れば", FormRule::kConditional, kFinalForm},
        {u"こ", u"ず", FormRule::kZu, kFinalForm},
        {u"き", u"ながら", FormRule::kNagara, kFinalForm},
        {u"き", u"そう", FormRule::kSou, kFinalForm},
    };
    for (const KuruForm& f : kForms) {
      Add(u"来" + std::u16string(f.ending), u"来る", f.name, f.kind, kKuru, Stem::kAny);
      Add(std::u16string(f.kanaStem) + std::u16string(f.ending), u"くる", f.name, f.kind, kKuru, Stem::kAny);
    }
  }

  void AddAdjective() {
    const auto add = [&](std::u16string_view from, FormRule name, uint32_t kind, uint32_t accepts) {
      Add(std::u16string(from), u"い", name, kind, accepts, Stem::kWord);
    };
    add(u"くない", FormRule::kNegative, kNaiForm, kAdjectiveLike);
    add(u"かった", FormRule::kPast, kFinalForm, kAdjectiveLike);
    add(u"くて", FormRule::kTe, kFinalForm, kAdjectiveLike);
    add(u"ければ", FormRule::kConditional, kFinalForm, kAdjectiveLike);
    add(u"かったら", FormRule::kTara, kFinalForm, kAdjectiveLike);
    add(u"く", FormRule::kAdverbial, kFinalForm, kAdjectiveLike);
    add(u"そう", FormRule::kSou, kFinalForm, kAdjective | kTaiForm);
    add(u"さそう", FormRule::kSou, kFinalForm, kAdjective | kNaiForm);  // なさそう, よさそう
  }

  // ます and ている inflect on their own.
  void AddAuxiliaries() {
    Add(u"ません", u"ます", FormRule::kNegative, kMasenForm, kMasuForm, Stem::kAny);
    Add(u"ました", u"ます", FormRule::kPast, kFinalForm, kMasuForm, Stem::kAny);
    Add(u"ましょう", u"ます", FormRule::kVolitional, kFinalForm, kMasuForm, Stem::kAny);
    Add(u"まして", u"ます", FormRule::kTe, kFinalForm, kMasuForm, Stem::kAny);
    Add(u"ませんでした", u"ません", FormRule::kPast, kFinalForm, kMasenForm, Stem::kAny);
    for (const std::u16string_view te : {u"て", u"で"}) {
      const std::u16string t(te);
      Add(t + u"いる", t, FormRule::kProgressive, kTeiruForm, kTeForm, Stem::kAny);
      Add(t + u"る", t, FormRule::kProgressive, kTeiruForm, kTeForm, Stem::kAny);
    }
  }

  std::vector<Rule> rules_;
  std::unordered_map<char16_t, std::vector<size_t>> byLastUnit_;
  size_t longest_ = 0;
};

const RuleBook& Rules() {
  static const auto* const book = new RuleBook;  // never freed: used until exit, also by other threads
  return *book;
}

// Kana of the i and e rows, in hiragana; katakana is tested through it.
constexpr std::u16string_view kIAndERows = u"いきぎしじちぢにひびぴみりゐえけげせぜてでねへべぺめれゑ";

bool IsKana(char16_t c) { return (c >= u'ぁ' && c <= u'ゖ') || (c >= u'ァ' && c <= u'ヺ'); }

bool IchidanStem(std::u16string_view stem) {
  if (stem.empty()) return false;
  char16_t last = stem.back();
  if (!IsKana(last)) return true;  // a kanji: 見る, 着る
  if (last >= u'ァ') last = static_cast<char16_t>(last - (u'ァ' - u'ぁ'));
  return kIAndERows.find(last) != std::u16string_view::npos;
}

bool StemFits(Stem stem, std::u16string_view left) {
  switch (stem) {
    case Stem::kAny:
      return true;
    case Stem::kWord:
      return !left.empty();
    case Stem::kIchidan:
      return IchidanStem(left);
  }
  return false;
}

struct State {
  std::u16string text;
  uint32_t kinds;
  std::vector<FormRule> rules;
};

}  // namespace

std::vector<FormCandidate> JapaneseDictionaryForms(std::u16string_view text) {
  const RuleBook& book = Rules();
  std::vector<FormCandidate> forms{{std::u16string(text), {}}};
  if (text.empty()) return forms;
  std::set<std::pair<std::u16string, uint32_t>> seen;
  std::deque<State> queue{{std::u16string(text), kAnyKind, {}}};
  size_t states = 0;
  // Breadth first: every form is met first with the fewest rules.
  while (!queue.empty() && states++ < kMostStates) {
    State state = std::move(queue.front());
    queue.pop_front();
    if (!state.rules.empty() && (state.kinds & kDictionaryKinds) &&
        std::none_of(forms.begin(), forms.end(),
                     [&](const FormCandidate& f) { return f.form == state.text; })) {
      forms.push_back({state.text, state.rules});
    }
    if (state.rules.size() >= kMostRules || state.text.empty()) continue;
    const std::vector<size_t>* candidates = book.EndingIn(state.text.back());
    if (!candidates) continue;
    for (const size_t i : *candidates) {
      const Rule& rule = book.rule(i);
      if (!(rule.kind & state.kinds) || !std::u16string_view(state.text).ends_with(rule.from)) continue;
      const std::u16string_view left =
          std::u16string_view(state.text).substr(0, state.text.size() - rule.from.size());
      if (!StemFits(rule.stem, left)) continue;
      std::u16string base = std::u16string(left) + rule.to;
      if (base.empty() || !seen.emplace(base, rule.accepts).second) continue;
      std::vector<FormRule> rules{rule.name};
      rules.insert(rules.end(), state.rules.begin(), state.rules.end());
      queue.push_back({std::move(base), rule.accepts, std::move(rules)});
    }
  }
  return forms;
}

size_t LongestJapaneseEnding() { return Rules().longest(); }

}  // namespace tavlex
