// The viewer in a process of its own, for the shutdown test: it registers a
// dictionary through the open-file service, optionally opens the options
// dialog, then sends itself the signal, and runs until the signal ends it.
// Once the application object is gone it prints how often the settings file
// was written.
//   viewer_child SETTINGS_FILE DICTIONARY SIGNAL [--dialog]
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/main_frame.h"
#include "app/viewer_app.h"
#include "resources/resource_ids.h"
#include "tests/support/platform_fakes.h"
#include "view/lookup_view.h"

int main(int argc, char** argv) {
  using namespace tavlex;
  if (argc < 4) return 2;
  const bool withDialog = argc > 4;
  QApplication application(argc, argv);
  int writes = 0;
  {
    CViewerApp viewer;
    if (!viewer.InitialiseWith(argv[1])) return 1;
    viewer.settings().SetWriteFunctionForTesting([&writes](int fd, const void* data, std::size_t size) {
      ++writes;
      return ::write(fd, data, size);
    });
    testing::FakeOpenFileDialog files;
    files.SetNextResult(QString::fromLocal8Bit(argv[2]));
    CLookupView* view = viewer.frame()->view();
    platform::PostCommand(view, ids::kRegisterDictionary);
    if (withDialog) platform::PostCommand(view, ids::kOptions);
    QTimer ready;
    QObject::connect(&ready, &QTimer::timeout, [&] {
      if (view->dictionarySet().count() == 0 || (withDialog && !QApplication::activeModalWidget())) return;
      ready.stop();
      ::kill(::getpid(), std::atoi(argv[3]));
    });
    ready.start(10);
    application.exec();
  }
  std::printf("writes=%d\n", writes);
  return 0;
}
