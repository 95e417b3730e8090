// The viewer in a process of its own keeping entries as a user does, for the
// test that kills it meanwhile: for I in [FIRST, FIRST + COUNT) it types
// the word "wI" (five digits) into the search box, presses Ctrl+D and, once
// the status line says the entry was kept, prints "I kept" unbuffered: a
// line printed is a keep the viewer confirmed.
//   keeping_viewer_child SETTINGS_FILE FIRST COUNT
#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <string>

#include "app/main_frame.h"
#include "app/viewer_app.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"
#include "ui/index_edit.h"
#include "view/lookup_view.h"

int main(int argc, char** argv) {
  using namespace tavlex;
  if (argc != 4) return 2;
  QApplication application(argc, argv);
  CViewerApp viewer;
  viewer.InitialiseWith(argv[1]);
  CLookupView* view = viewer.frame()->view();
  view->OpenDictionaries();
  // The offscreen platform activates no window by itself; the key goes to the active one.
  QApplication::setActiveWindow(viewer.frame());
  QString status;
  QObject::connect(view, &CLookupView::statusMessage, [&status](const QString& text) { status = text; });
  const QString kept = LoadString(ids::kEntryKept).section(u'%', 0, 0);
  const int first = std::stoi(argv[2]);
  const int count = std::stoi(argv[3]);
  for (int i = first; i < first + count; ++i) {
    char word[16];
    std::snprintf(word, sizeof word, "w%05d", i);
    view->searchEdit()->setText(QString::fromLatin1(word));
    for (int round = 0; round < 3; ++round) QApplication::sendPostedEvents();
    status.clear();
    QTest::keyClick(view->searchEdit(), Qt::Key_D, Qt::ControlModifier);
    for (int round = 0; round < 3 && status.isEmpty(); ++round) QApplication::processEvents();
    if (!status.startsWith(kept)) {
      std::fprintf(stderr, "not kept %d: %s\n", i, status.toStdString().c_str());
      return 1;
    }
    const std::string line = std::to_string(i) + " kept\n";
    if (::write(STDOUT_FILENO, line.data(), line.size()) != static_cast<ssize_t>(line.size())) return 1;
  }
  return 0;
}
