#include "engine/text/spelling.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>

#include <array>
#include <string_view>

namespace tavlex {
namespace {

struct AccentRow {
  char16_t key;
  std::u16string_view forms;
};

// Searched in this order; the thorn letters stand under y.
constexpr std::array<AccentRow, 10> kAccents = {{
    {u'a', u"\u00C0\u00C1\u00C2\u00C3\u00C4\u00C5\u00E0\u00E1\u00E2\u00E3\u00E4\u00E5\u00C6\u00E6"},
    {u'c', u"\u00C7\u00E7"},
    {u'e', u"\u00C8\u00C9\u00CA\u00CB\u00E8\u00E9\u00EA\u00EB"},
    {u'i', u"\u00CC\u00CD\u00CE\u00CF\u00EC\u00ED\u00EE\u00EF"},
    {u'd', u"\u00D0\u00F0"},
    {u'n', u"\u00D1\u00F1"},
    {u'o', u"\u00D2\u00D3\u00D4\u00D5\u00D6\u00D8\u00F2\u00F3\u00F4\u00F5\u00F6\u00F8\u0152\u0153"},
    {u'u', u"\u00D9\u00DA\u00DB\u00DC\u00F9\u00FA\u00FB\u00FC"},
    {u'y', u"\u00DD\u00DE\u00FD\u00FE\u00FF"},
    {u's', u"\u00DF"},
}};

constexpr const char* kRootLocale = "";

}  // namespace

std::u16string LowerCase(const std::u16string& text) {
  if (text.empty()) return text;
  std::u16string lower(text.size(), u'\0');
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = u_strToLower(lower.data(), static_cast<int32_t>(lower.size()), text.data(),
                                static_cast<int32_t>(text.size()), kRootLocale, &status);
  if (status == U_BUFFER_OVERFLOW_ERROR) {  // a few characters grow when lowered
    lower.resize(static_cast<size_t>(length));
    status = U_ZERO_ERROR;
    length = u_strToLower(lower.data(), length, text.data(), static_cast<int32_t>(text.size()), kRootLocale,
                          &status);
  }
  if (U_FAILURE(status)) return text;
  lower.resize(static_cast<size_t>(length));
  return lower;
}

std::u16string RemoveAccents(const std::u16string& text) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* decompose = icu::Normalizer2::getNFDInstance(status);
  const icu::Normalizer2* compose = icu::Normalizer2::getNFCInstance(status);
  if (U_FAILURE(status)) return text;
  const icu::UnicodeString decomposed =
      decompose->normalize(icu::UnicodeString(false, text.data(), static_cast<int32_t>(text.size())), status);
  if (U_FAILURE(status)) return text;
  icu::UnicodeString bare;
  for (int32_t i = 0; i < decomposed.length(); i = decomposed.moveIndex32(i, 1)) {
    const UChar32 c = decomposed.char32At(i);
    if (u_charType(c) != U_NON_SPACING_MARK) bare.append(c);
  }
  // Composed again, so that what had no accent (a Hangul syllable) comes back as it was.
  const icu::UnicodeString result = compose->normalize(bare, status);
  if (U_FAILURE(status)) return text;
  return std::u16string(result.getBuffer(), static_cast<size_t>(result.length()));
}

std::vector<char16_t> AlternativesOf(char16_t c, bool accents) {
  std::vector<char16_t> alternatives{c};
  const UChar32 upper = u_toupper(c);
  if (upper != c && upper <= 0xFFFF) alternatives.push_back(static_cast<char16_t>(upper));
  if (accents) {
    for (const AccentRow& row : kAccents) {
      if (row.key == c) {
        alternatives.insert(alternatives.end(), row.forms.begin(), row.forms.end());
        break;
      }
    }
  }
  return alternatives;
}

char16_t AccentKeyOf(char16_t c) {
  for (const AccentRow& row : kAccents) {
    if (row.forms.find(c) != std::u16string_view::npos) return row.key;
  }
  return c;
}

int EndsWith(const std::u16string& s, const std::u16string& suffix) {
  if (s.size() < suffix.size()) return -1;
  const size_t at = s.size() - suffix.size();
  return s.compare(at, suffix.size(), suffix) == 0 ? static_cast<int>(at) : -1;
}

}  // namespace tavlex
