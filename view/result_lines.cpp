#include "view/result_lines.h"

#include <algorithm>
#include <string>

#include "base/lines.h"
#include "base/utf8.h"

namespace tavlex {
namespace {

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// 4110 -> "4,110".
std::u16string Grouped(uint64_t n) {
  const std::string digits = std::to_string(n);
  std::u16string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += u',';
    grouped += static_cast<char16_t>(digits[i]);
  }
  return grouped;
}

// How a hidden line names its field: as the menus name the fields.
std::u16string_view FieldLabel(SearchField field) {
  switch (field) {
    case SearchField::kHeadword:
    case SearchField::kDisplay:
      return u"見出し語";
    case SearchField::kTranslation:
      return u"訳語";
    case SearchField::kExample:
      return u"用例";
    case SearchField::kPronunciation:
      return u"発音記号";
  }
  return {};
}

constexpr std::u16string_view kLabelEnd = u": ";

}  // namespace

std::u16string MoreHitsLine(uint64_t more) { return u"… 他 " + Grouped(more) + u" 件"; }

std::optional<std::u16string> IndexProgressLine(const std::vector<IndexProgress>& indexes) {
  using State = TextIndexes::State;
  std::vector<const IndexProgress*> open;
  for (const IndexProgress& index : indexes) {
    if (TextIndexes::UnderWay(index.status.state) || index.status.state == State::kFailed ||
        index.status.saveError) {
      open.push_back(&index);
    }
  }
  if (open.empty()) return std::nullopt;
  // What is being built comes first: that is where the waiting is.
  const auto building = std::find_if(open.begin(), open.end(), [](const IndexProgress* index) {
    return index->status.state == State::kBuilding;
  });
  const IndexProgress& first = **(building != open.end() ? building : open.begin());
  std::u16string line;
  switch (first.status.state) {
    case State::kBuilding: {
      const uint64_t total = std::max<uint64_t>(first.status.total, 1);
      line = u"索引を作成中: " + first.name + u" " + Ascii(std::to_string(first.status.done * 100 / total)) +
             u"%";
      break;
    }
    case State::kFailed:
      line = u"索引を作成できません: " + first.name;
      break;
    case State::kReady:  // in memory only: its file could not be written
      line = u"索引を保存できません: " + first.name + u"（" + Utf8ToUtf16(first.status.saveError.message()) +
             u"）";
      break;
    default:
      line = u"索引を準備中: " + first.name;
      break;
  }
  if (open.size() > 1) line += u"（ほか " + Ascii(std::to_string(open.size() - 1)) + u" 件）";
  return line;
}

std::vector<FieldMatch> MatchesOnPart(const EntryPart& part, const std::vector<FieldMatch>& matches) {
  std::vector<FieldMatch> on;
  std::copy_if(matches.begin(), matches.end(), std::back_inserter(on),
               [&](const FieldMatch& match) { return match.field == part.field; });
  return on;
}

std::vector<HiddenMatchLine> HiddenMatchLines(const Entry& entry, const std::vector<EntryPart>& parts,
                                              const std::vector<FieldMatch>& matches) {
  std::vector<HiddenMatchLine> lines;
  // Each kept line with the offset of its start in the field's text.
  std::vector<uint32_t> lineStarts;
  for (const FieldMatch& match : matches) {
    if (std::any_of(parts.begin(), parts.end(),
                    [&](const EntryPart& part) { return part.field == match.field; }))
      continue;
    const std::u16string_view text = FieldText(entry, match.field);
    if (match.begin >= match.end || match.end > text.size()) continue;
    uint32_t start = 0;
    for (const std::u16string_view line : SplitAtCrLf(text)) {
      const uint32_t end = start + static_cast<uint32_t>(line.size());
      if (match.begin < start || match.begin >= end) {
        start = end + 2;  // past the CR LF
        continue;
      }
      size_t k = 0;
      while (k < lines.size() && !(lines[k].field == match.field && lineStarts[k] == start)) ++k;
      const std::u16string label = std::u16string(FieldLabel(match.field)) + std::u16string(kLabelEnd);
      if (k == lines.size()) {
        lines.push_back({match.field, label + std::u16string(line), {}});
        lineStarts.push_back(start);
      }
      const auto inLine = [&](uint32_t offset) {
        return static_cast<uint32_t>(label.size()) + offset - start;
      };
      lines[k].marks.push_back({match.field, inLine(match.begin), inLine(std::min(match.end, end))});
      break;
    }
  }
  return lines;
}

}  // namespace tavlex
