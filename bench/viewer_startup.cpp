// The viewer's start-up as a user meets it, for the start-up figures: the
// application and its window are made as the viewer's main makes them, a word
// is searched, and the process ends as soon as the result display has painted
// the results. Arguments: the settings file, then the word.
#include <unistd.h>

#include <QApplication>
#include <QTimer>

#include "app/main_frame.h"
#include "app/viewer_app.h"
#include "platform/messages.h"
#include "resources/resource_ids.h"
#include "ui/editor.h"
#include "ui/index_edit.h"
#include "view/lookup_view.h"

namespace {

// Ends the process once the display has painted something.
class FirstPaintWatcher : public QObject {
 public:
  explicit FirstPaintWatcher(tavlex::CEditor* display) : display_(display) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !display_->paragraphs().empty()) {
      // The paint itself runs after this filter; end at the next turn of the loop.
      QTimer::singleShot(0, [] { ::_exit(0); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  tavlex::CEditor* display_;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc != 3) return 2;
  tavlex::CViewerApp viewer;
  viewer.InitialiseWith(argv[1]);
  tavlex::CLookupView* view = viewer.frame()->view();
  FirstPaintWatcher watcher(view->resultDisplay());
  view->resultDisplay()->viewport()->installEventFilter(&watcher);
  view->searchEdit()->setText(QString::fromUtf8(argv[2]));
  tavlex::platform::PostCommand(view, tavlex::ids::kSearch);
  application.exec();
  return 1;  // nothing was ever painted
}
