#include "settings/lookup_options.h"

#include "settings/key_visitors.h"

namespace tavlex {
namespace {

template <typename Visitor>
void VisitOptions(LookupOptions& o, Visitor&& visit) {
  visit(u"popup", o.popup);
  visit(u"watchclipboard", o.watchClipboard);
  visit(u"globalshortcut", o.globalShortcut);
}

}  // namespace

LookupOptions LoadLookupOptions(const IniFile& ini) {
  LookupOptions options;
  VisitOptions(options, KeyReader{ini, kLookupSection});
  return options;
}

void SaveLookupOptions(const LookupOptions& options, IniFile& ini) {
  LookupOptions copy = options;
  VisitOptions(copy, KeyWriter{ini, kLookupSection});
}

}  // namespace tavlex
