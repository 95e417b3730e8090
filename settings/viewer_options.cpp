#include "settings/viewer_options.h"

#include "settings/dictionary_keys.h"
#include "settings/key_visitors.h"

namespace tavlex {
namespace {

constexpr int32_t kDefaultDelay = 0;

template <typename Visitor>
void VisitOptions(ViewerOptions& o, Visitor&& visit) {
  visit(u"incresearch", ExactSwitch{o.incresearch, true});
  visit(u"delay", o.delay, kDefaultDelay);
  visit(u"conjudelay", o.conjudelay, kDefaultDelay);
  visit(u"MenuTenkey", o.menuTenkey, 0);
  visit(u"FontOnStorage", HandEditedString{o.fontOnStorage});
}

}  // namespace

ViewerOptions LoadViewerOptions(const IniFile& ini) {
  ViewerOptions options;
  VisitOptions(options, KeyReader{ini, kDictionarySection});
  return options;
}

void SaveViewerOptions(const ViewerOptions& options, IniFile& ini) {
  ViewerOptions copy = options;
  VisitOptions(copy, KeyWriter{ini, kDictionarySection});
}

}  // namespace tavlex
