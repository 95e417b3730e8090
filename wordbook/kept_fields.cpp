#include "wordbook/kept_fields.h"

#include "base/utf8.h"

namespace tavlex::wordbook {
namespace {

constexpr std::array<std::string_view, kKeptFields.size()> kNames = {
    "Headword", "Translation", "Pronunciation", "Example", "Source", "Dictionary"};

}  // namespace

std::string_view FieldName(KeptField field) { return kNames[static_cast<size_t>(field)]; }

std::optional<KeptField> FieldNamed(std::string_view name) {
  for (const KeptField field : kKeptFields) {
    if (FieldName(field) == name) return field;
  }
  return std::nullopt;
}

std::string Html(std::u16string_view text) {
  std::string html;
  const std::string utf8 = Utf16ToUtf8(text);
  html.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    switch (const char c = utf8[i]) {
      case '<':
        html += "&lt;";
        break;
      case '>':
        html += "&gt;";
        break;
      case '&':
        html += "&amp;";
        break;
      case '"':
        html += "&quot;";
        break;
      case '\r':
        if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
        html += "<br>";
        break;
      case '\n':
        html += "<br>";
        break;
      case '\t':
        // A TAB separates the columns of Anki's text file.
        html += "&#9;";
        break;
      default:
        html += c;
    }
  }
  return html;
}

std::string FieldHtml(const KeptEntry& entry, KeptField field) {
  switch (field) {
    case KeptField::kHeadword:
      return Html(entry.headword);
    case KeptField::kTranslation:
      return Html(entry.translation);
    case KeptField::kPronunciation:
      return Html(entry.pronunciation);
    case KeptField::kExample:
      return Html(entry.example);
    case KeptField::kSource: {
      const std::u16string_view text = entry.sourceText;
      const size_t begin = entry.coveredBegin;
      const size_t end = entry.coveredEnd;
      if (begin >= end || end > text.size()) return Html(text);
      return Html(text.substr(0, begin)) + "<b>" + Html(text.substr(begin, end - begin)) + "</b>" +
             Html(text.substr(end));
    }
    case KeptField::kDictionary:
      return Html(entry.dictionaryName);
  }
  return {};
}

}  // namespace tavlex::wordbook
