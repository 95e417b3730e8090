#include "engine/search/scan_heading.h"

#include <algorithm>
#include <vector>

namespace tavlex {

std::u16string_view CoveredText(std::u16string_view text, const ScanGroup& group) {
  if (group.begin > group.end || group.end > text.size()) return {};
  return text.substr(group.begin, group.end - group.begin);
}

std::u16string HeadingOf(std::u16string_view text, const ScanGroup& group) {
  const std::u16string_view covered = CoveredText(text, group);
  std::vector<std::u16string> labels;
  bool changed = false;
  for (const ScanHit& hit : group.hits) {
    changed = changed || hit.form != covered || !hit.rules.empty();
    std::u16string label = FormLabel(hit.form, hit.rules);
    if (std::find(labels.begin(), labels.end(), label) == labels.end()) labels.push_back(std::move(label));
  }
  std::u16string heading(covered);
  if (!changed) return heading;
  heading += u" → ";
  for (size_t i = 0; i < labels.size(); ++i) {
    if (i > 0) heading += u'、';
    heading += labels[i];
  }
  return heading;
}

}  // namespace tavlex
