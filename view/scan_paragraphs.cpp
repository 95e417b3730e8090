#include "view/scan_paragraphs.h"

#include "engine/search/scan_heading.h"
#include "platform/qt_text.h"
#include "ui/editor.h"

namespace tavlex {

std::vector<size_t> AppendScanGroups(CEditor& display, FontCache& fonts, const wordbook::KeptMarks& marks,
                                     std::u16string_view text, const std::vector<ScanGroup>& groups,
                                     CoveredMark covered) {
  std::vector<size_t> starts;
  for (const ScanGroup& group : groups) {
    std::vector<MarkRange> headingMarks;
    if (covered == CoveredMark::kInHeading) {
      // The heading begins with the part of the text its entries cover.
      headingMarks.push_back({0, static_cast<int>(CoveredText(text, group).size())});
    }
    display.AppendText(ToQString(HeadingOf(text, group)), nullptr, headingMarks);
    for (const ScanHit& hit : group.hits) {
      starts.push_back(display.paragraphs().size());
      AppendEntryParagraphs(display, fonts, marks, *hit.entry, {}, nullptr);
    }
  }
  return starts;
}

}  // namespace tavlex
