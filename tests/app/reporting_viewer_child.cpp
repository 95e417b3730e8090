// The real program's viewer with a settings file of the test's, for the tests
// that watch it from outside under a compositor: each time what it shows
// changes it prints one line,
//   window=0|1 search=TEXT popup=WORD|- popups=N
// whether the main window shows, its search box, the word of the pop-up that
// shows (- for none) and how many look-ups the pop-up has shown since the start.
//   reporting_viewer_child SETTINGS_FILE [the program's arguments]
#include <QTimer>
#include <cstdio>
#include <vector>

#include "app/main_frame.h"
#include "app/outside_lookups.h"
#include "app/viewer_app.h"
#include "app/viewer_main.h"
#include "ui/index_edit.h"
#include "ui/lookup_popup.h"
#include "view/lookup_view.h"

namespace {

// Often enough that no pop-up a test opens shows between two looks.
constexpr int kLookMs = 10;

void ReportChanges(tavlex::CViewerApp& viewer) {
  auto* look = new QTimer(viewer.frame());
  QObject::connect(look, &QTimer::timeout,
                   [&viewer, said = QString(), popups = 0, word = QString()]() mutable {
                     const tavlex::CLookupPopup* popup = viewer.outside()->popup();
                     const bool shown = popup && popup->isVisible();
                     if (shown && popup->word() != word) ++popups;
                     word = shown ? popup->word() : QString();
                     const QString line = QStringLiteral("window=%1 search=%2 popup=%3 popups=%4")
                                              .arg(viewer.frame()->isVisible() ? 1 : 0)
                                              .arg(viewer.frame()->view()->searchEdit()->text(),
                                                   shown ? popup->word() : QStringLiteral("-"))
                                              .arg(popups);
                     if (line == said) return;
                     said = line;
                     std::printf("%s\n", line.toUtf8().constData());
                     std::fflush(stdout);
                   });
  look->start(kLookMs);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  tavlex::ViewerMainHooks hooks;
  hooks.settings = argv[1];
  hooks.started = ReportChanges;
  std::vector<char*> args{argv[0]};
  args.insert(args.end(), argv + 2, argv + argc);
  args.push_back(nullptr);
  return tavlex::ViewerMain(static_cast<int>(args.size()) - 1, args.data(), hooks);
}
