// The viewer's start-up as a user meets it, for the start-up figures: the
// viewer's own main runs (asking the session bus for a running viewer first),
// and the process ends as soon as what is measured has been painted.
//   viewer_startup window SETTINGS [tavlex's arguments]    the main window
//   viewer_startup results SETTINGS [tavlex's arguments]   the results of the look-up
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <cstring>
#include <vector>

#include "app/main_frame.h"
#include "app/viewer_app.h"
#include "app/viewer_main.h"
#include "ui/editor.h"
#include "view/lookup_view.h"

namespace {

// Ends the process once watched has painted and ready says what it shows is the one.
class PaintWatcher : public QObject {
 public:
  PaintWatcher(QWidget* watched, std::function<bool()> ready) : ready_(std::move(ready)) {
    watched->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && ready_()) {
      // The paint itself runs after this filter; end at the next turn of the loop.
      QTimer::singleShot(0, [] { ::_exit(0); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<bool()> ready_;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc < 3) return 2;
  const bool results = std::strcmp(argv[1], "results") == 0;
  tavlex::ViewerMainHooks hooks;
  hooks.settings = argv[2];
  hooks.started = [results](tavlex::CViewerApp& viewer) {
    tavlex::CEditor* display = viewer.frame()->view()->resultDisplay();
    if (results) {
      new PaintWatcher(display->viewport(), [display] { return !display->paragraphs().empty(); });
    } else {
      new PaintWatcher(viewer.frame(), [] { return true; });
    }
  };
  std::vector<char*> viewerArgs{argv[0]};
  viewerArgs.insert(viewerArgs.end(), argv + 3, argv + argc);
  viewerArgs.push_back(nullptr);
  tavlex::ViewerMain(static_cast<int>(viewerArgs.size()) - 1, viewerArgs.data(), hooks);
  return 1;  // nothing was ever painted
}
