// What the result display says beside the entries of a search in one of the
// search modes: the line after a dictionary's last result when it has more
// hits than it shows, the line at the top while indexes are being made,
// which of a hit's matches fall on each part of the entry shown, and the
// lines that show a match in a field the entry does not show.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/entry_parts.h"
#include "engine/index/text_indexes.h"
#include "engine/search/entry_matcher.h"

namespace tavlex {

// "… 他 4,110 件": more hits than are shown.
std::u16string MoreHitsLine(uint64_t more);

// An index of a dictionary in use, and how far it is.
struct IndexProgress {
  std::u16string name;  // the dictionary's file name
  TextIndexes::Status status;
};

// One line about the indexes still to come, from the first of them: "索引を作成中:
// english.dic 37%" while it is built, "索引を準備中: english.dic" before that,
// "索引を作成できません: english.dic" when its dictionary could not be read,
// "索引を保存できません: english.dic（No space left on device）" when it is ready
// but its file could not be written, with "（ほか 2 件）" for the others. None
// when every index is ready and saved.
std::optional<std::u16string> IndexProgressLine(const std::vector<IndexProgress>& indexes);

// The matches that fall on part, in the part's text: the headword part shows
// the display form when the entry has one, and then carries its matches.
std::vector<FieldMatch> MatchesOnPart(const EntryPart& part, const std::vector<FieldMatch>& matches);

// A line of a field that matched but is not among the parts shown (an example
// or a pronunciation the dictionary hides, the headword under a display
// form): "用例: An apple a day.", the matches on that line marked, their
// offsets in text.
struct HiddenMatchLine {
  SearchField field;
  std::u16string text;
  std::vector<FieldMatch> marks;

  bool operator==(const HiddenMatchLine&) const = default;
};

// One line for each line of a hidden field (the field's text cut at its CR LF
// breaks) that holds a match, in the order of the fields' matches. A match
// that runs past its line is marked to the line's end; one outside the field's
// text is left out.
std::vector<HiddenMatchLine> HiddenMatchLines(const Entry& entry, const std::vector<EntryPart>& parts,
                                              const std::vector<FieldMatch>& matches);

}  // namespace tavlex
