// The viewer in a process of its own, for the tests that end it with signals
// or run two on one settings file: it registers a dictionary through the
// open-file service, optionally opens the options dialog, then sends itself
// the signal, and runs until the signal ends it. With --hold it first opens
// the dictionaries listed (one at least), makes SETTINGS_FILE.ready and waits
// for SETTINGS_FILE.go. With --search it types WORD into the search box a
// letter at a time and presses Return before the signal. Once the application
// object is gone it prints how often the settings file was written.
//   viewer_child SETTINGS_FILE DICTIONARY SIGNAL [--dialog | --hold | --search WORD]
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/main_frame.h"
#include "app/viewer_app.h"
#include "resources/resource_ids.h"
#include "tests/support/platform_fakes.h"
#include "ui/index_edit.h"
#include "view/lookup_view.h"

int main(int argc, char** argv) {
  using namespace tavlex;
  if (argc < 4) return 2;
  const std::string option = argc > 4 ? argv[4] : "", ini = argv[1];
  const bool withDialog = option == "--dialog";
  const QString search = option == "--search" && argc > 5 ? QString::fromUtf8(argv[5]) : QString();
  QApplication application(argc, argv);
  int writes = 0;
  {
    CViewerApp viewer;
    viewer.InitialiseWith(argv[1]);
    viewer.settings().SetWriteFunctionForTesting([&writes](int fd, const void* data, std::size_t size) {
      ++writes;
      return ::write(fd, data, size);
    });
    testing::FakeOpenFileDialog files;
    files.SetNextResult(QString::fromLocal8Bit(argv[2]));
    CLookupView* view = viewer.frame()->view();
    size_t before = 0;  // dictionaries open before the registration
    bool held = option == "--hold";
    const auto start = [&] {
      before = view->dictionarySet().count();
      platform::PostCommand(view, ids::kRegisterDictionary);
      if (withDialog) platform::PostCommand(view, ids::kOptions);
    };
    if (!held) start();
    QTimer ready;
    QObject::connect(&ready, &QTimer::timeout, [&] {
      if (held) {
        if (view->dictionarySet().count() == 0) return;
        if (!std::filesystem::exists(ini + ".ready")) std::ofstream(ini + ".ready");
        if (!std::filesystem::exists(ini + ".go")) return;
        held = false;
        start();
        return;
      }
      const bool registered = argv[2][0] == '\0' || view->dictionarySet().count() > before;  // "": cancelled
      if (!registered || (withDialog && !QApplication::activeModalWidget())) return;
      ready.stop();
      if (!search.isEmpty()) {
        for (const QChar letter : search) {
          view->searchEdit()->insert(letter);
          QApplication::processEvents();  // the search that follows each letter
        }
        QKeyEvent returnKey(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(view->searchEdit(), &returnKey);
      }
      ::kill(::getpid(), std::atoi(argv[3]));
    });
    ready.start(10);
    application.exec();
  }
  std::printf("writes=%d\n", writes);
  return 0;
}
