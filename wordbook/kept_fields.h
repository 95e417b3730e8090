// The fields of a kept entry by name, as the exports' columns and the
// AnkiConnect field mapping name them, and a field's text as Anki shows it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "wordbook/kept_entry.h"

namespace tavlex::wordbook {

enum class KeptField { kHeadword, kTranslation, kPronunciation, kExample, kSource, kDictionary };

// In the order of the Anki text file's columns.
inline constexpr std::array kKeptFields = {KeptField::kHeadword,      KeptField::kTranslation,
                                           KeptField::kPronunciation, KeptField::kExample,
                                           KeptField::kSource,        KeptField::kDictionary};

// "Headword", "Translation", ...: the names a mapping is remembered by.
std::string_view FieldName(KeptField field);
std::optional<KeptField> FieldNamed(std::string_view name);

// The field's text for Anki, in UTF-8 HTML: <, >, &, " and TAB escaped,
// each line break (CR LF, LF or CR) as <br>, and in the source text the covered part
// in <b>…</b>. The dictionary is its display name.
std::string FieldHtml(const KeptEntry& entry, KeptField field);

// text in HTML, escaped as FieldHtml's.
std::string Html(std::u16string_view text);

}  // namespace tavlex::wordbook
