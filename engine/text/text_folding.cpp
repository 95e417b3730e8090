#include "engine/text/text_folding.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/uniset.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <memory>
#include <utility>

#include "engine/text/spelling.h"

namespace tavlex {
namespace {

constexpr char32_t kBmpSize = 0x10000;
// Full-width and half-width forms, and the ideographic space.
constexpr char32_t kFirstWidthForm = 0xFF01;
constexpr char32_t kLastWidthForm = 0xFFEE;
constexpr char32_t kIdeographicSpace = 0x3000;
constexpr char32_t kFirstKatakana = 0x30A1;  // ァ
constexpr char32_t kLastKatakana = 0x30F6;   // ヶ
constexpr char32_t kKatakanaIterationMarks[] = {0x30FD, 0x30FE};
constexpr char32_t kKanaDistance = 0x60;  // katakana - hiragana
constexpr char32_t kCombiningVoicedMark = 0x3099;
constexpr char32_t kCombiningSemiVoicedMark = 0x309A;
constexpr char32_t kHalfWidthVoicedMark = 0xFF9E;
constexpr char32_t kHalfWidthSemiVoicedMark = 0xFF9F;
constexpr char32_t kLastAccented = 0x153;  // œ, the last form of the accent table

const icu::Normalizer2& Nfkc() {
  UErrorCode status = U_ZERO_ERROR;
  return *icu::Normalizer2::getNFKCInstance(status);
}

const icu::Normalizer2& Nfc() {
  UErrorCode status = U_ZERO_ERROR;
  return *icu::Normalizer2::getNFCInstance(status);
}

// The plain form of a width variant, or c.
char32_t PlainWidth(char32_t c) {
  if (c != kIdeographicSpace && (c < kFirstWidthForm || c > kLastWidthForm)) return c;
  icu::UnicodeString plain;
  if (!Nfkc().getRawDecomposition(static_cast<UChar32>(c), plain) || plain.countChar32() != 1) return c;
  return static_cast<char32_t>(plain.char32At(0));
}

// Width and case folding of the BMP, worked out a page of 256 characters at
// a time when a text first holds one of them: a look-up of a few words meets
// a few pages, and needs not fold all 65,536 characters first. Pages are made
// once and never freed; two threads that make the same page keep the first.
class BaseFolding {
 public:
  BaseFolding() {
    for (char32_t c = 0; c <= kLastAccented; ++c) accentKey[c] = AccentKeyOf(static_cast<char16_t>(c));
    // Only these have a plain width form (PlainWidth).
    const auto addWidthForm = [&](char32_t c) {
      const char32_t plain = PlainWidth(c);
      if (plain != c) widthForms.emplace_back(plain, c);
    };
    addWidthForm(kIdeographicSpace);
    for (char32_t c = kFirstWidthForm; c <= kLastWidthForm; ++c) addWidthForm(c);
  }

  // c < kBmpSize.
  char32_t Fold(char32_t c) const {
    const Page* page = pages_[c / kPageSize].load(std::memory_order_acquire);
    if (page == nullptr) page = MakePage(c / kPageSize);
    return (*page)[c % kPageSize];
  }

  std::array<char16_t, kLastAccented + 1> accentKey;
  std::vector<std::pair<char32_t, char32_t>> widthForms;  // (plain, variant)

 private:
  static constexpr char32_t kPageSize = 256;
  using Page = std::array<char32_t, kPageSize>;

  // Out of the way of Fold, which comes here once a page.
  [[gnu::noinline, gnu::cold]] const Page* MakePage(char32_t number) const {
    auto page = std::make_unique<Page>();
    for (char32_t i = 0; i < kPageSize; ++i) {
      const char32_t plain = PlainWidth(number * kPageSize + i);
      (*page)[i] = static_cast<char32_t>(u_foldCase(static_cast<UChar32>(plain), U_FOLD_CASE_DEFAULT));
    }
    const Page* made = nullptr;
    if (pages_[number].compare_exchange_strong(made, page.get(), std::memory_order_acq_rel))
      return page.release();
    return made;
  }

  mutable std::array<std::atomic<const Page*>, kBmpSize / kPageSize> pages_{};
};

const BaseFolding& Base() {
  static const auto* const base = new BaseFolding;  // never freed: used until exit, also by other threads
  return *base;
}

char32_t FoldOne(const BaseFolding& base, char32_t c, FoldOptions options) {
  c = c < kBmpSize ? base.Fold(c)
                   : static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
  if (options.kana) {
    if (c >= kFirstKatakana && c <= kLastKatakana) return c - kKanaDistance;
    if (c == kKatakanaIterationMarks[0] || c == kKatakanaIterationMarks[1]) return c - kKanaDistance;
  }
  if (options.accents && c <= kLastAccented) return base.accentKey[c];
  return c;
}

bool IsVoicingMark(char32_t folded) {
  return folded == kCombiningVoicedMark || folded == kCombiningSemiVoicedMark;
}

}  // namespace

void FoldText(std::u16string_view text, FoldOptions options, FoldedText& out) {
  const BaseFolding& base = Base();
  out.chars.clear();
  out.starts.clear();
  const size_t length = text.size();
  for (size_t i = 0; i < length;) {
    const size_t start = i;
    char32_t c;
    U16_NEXT(text.data(), i, length, c);
    c = FoldOne(base, c, options);
    // A voicing mark after a kana makes one voiced kana, as NFC composes it.
    if (IsVoicingMark(c) && !out.chars.empty()) {
      const UChar32 composed =
          Nfc().composePair(static_cast<UChar32>(out.chars.back()), static_cast<UChar32>(c));
      if (composed >= 0) {
        out.chars.back() = FoldOne(base, static_cast<char32_t>(composed), options);
        continue;
      }
    }
    out.chars.push_back(c);
    out.starts.push_back(static_cast<uint32_t>(start));
  }
  out.starts.push_back(static_cast<uint32_t>(length));
}

std::u32string FoldedChars(std::u16string_view text, FoldOptions options) {
  FoldedText folded;
  FoldText(text, options, folded);
  return std::move(folded.chars);
}

std::vector<std::u16string> UnfoldedForms(char32_t folded, FoldOptions options) {
  const BaseFolding& base = Base();
  // The characters that the options fold to `folded`, then everything that
  // case and width fold to one of those.
  std::vector<char32_t> optionForms{folded};
  if (options.kana && FoldOne(base, folded + kKanaDistance, options) == folded) {
    optionForms.push_back(folded + kKanaDistance);
  }
  if (options.accents) {
    for (char32_t c = 0; c <= kLastAccented; ++c) {
      if (c != folded && FoldOne(base, c, options) == folded) optionForms.push_back(c);
    }
  }
  icu::UnicodeSet cased;
  for (const char32_t c : optionForms) cased.add(static_cast<UChar32>(c));
  cased.closeOver(USET_CASE_INSENSITIVE);
  std::vector<char32_t> singles;
  for (int32_t r = 0; r < cased.getRangeCount(); ++r) {
    for (UChar32 c = cased.getRangeStart(r); c <= cased.getRangeEnd(r); ++c) {
      singles.push_back(static_cast<char32_t>(c));
      for (const auto& [plain, variant] : base.widthForms) {
        if (plain == static_cast<char32_t>(c)) singles.push_back(variant);
      }
    }
  }

  std::vector<std::u16string> forms;
  const auto keep = [&](const std::u16string& form) {
    if (FoldedChars(form, options) == std::u32string(1, folded)) forms.push_back(form);
  };
  for (const char32_t c : singles) {
    std::u16string form;
    if (c < kBmpSize) {
      form.push_back(static_cast<char16_t>(c));
    } else {
      form.push_back(static_cast<char16_t>(U16_LEAD(c)));
      form.push_back(static_cast<char16_t>(U16_TRAIL(c)));
    }
    keep(form);
  }
  // A voiced kana is also its unvoiced kana and a mark, in any of their forms.
  icu::UnicodeString parts;
  if (Nfc().getDecomposition(static_cast<UChar32>(folded), parts) && parts.length() == 2) {
    const char32_t mark = parts.charAt(1);
    const char32_t halfWidthMark =
        mark == kCombiningVoicedMark ? kHalfWidthVoicedMark : kHalfWidthSemiVoicedMark;
    for (const std::u16string& kana : UnfoldedForms(FoldOne(base, parts.charAt(0), options), options)) {
      for (const char32_t m : {mark, halfWidthMark}) keep(kana + static_cast<char16_t>(m));
    }
  }
  std::sort(forms.begin(), forms.end());
  forms.erase(std::unique(forms.begin(), forms.end()), forms.end());
  return forms;
}

}  // namespace tavlex
