// The viewer as the shutdown test runs it in a process of its own: it
// registers a dictionary through the open-file service, optionally opens the
// options dialog, says "ready" on its standard output and runs until it is
// ended. Once the application object is gone it says how often the settings
// file was written.
//   viewer_child SETTINGS_FILE DICTIONARY [--dialog]
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/main_frame.h"
#include "app/viewer_app.h"
#include "platform/messages.h"
#include "platform/open_file_dialog.h"
#include "resources/resource_ids.h"
#include "view/lookup_view.h"

int main(int argc, char** argv) {
  using namespace tavlex;
  if (argc < 3) return 2;
  const bool withDialog = argc > 3 && std::strcmp(argv[3], "--dialog") == 0;
  QApplication application(argc, argv);
  int writes = 0;
  {
    CViewerApp viewer;
    if (!viewer.InitialiseWith(argv[1])) return 1;
    viewer.settings().SetWriteFunctionForTesting([&writes](int fd, const void* data, std::size_t size) {
      ++writes;
      return ::write(fd, data, size);
    });
    platform::SetNextOpenFileResultForTesting(QString::fromLocal8Bit(argv[2]));
    CLookupView* view = viewer.frame()->view();
    platform::PostCommand(view, ids::kRegisterDictionary);
    if (withDialog) platform::PostCommand(view, ids::kOptions);
    QTimer ready;
    QObject::connect(&ready, &QTimer::timeout, [&] {
      if (view->dictionarySet()->count() == 0 || (withDialog && !QApplication::activeModalWidget())) return;
      ready.stop();
      std::puts("ready");
      std::fflush(stdout);
    });
    ready.start(10);
    application.exec();
  }
  std::printf("writes=%d\n", writes);
  return 0;
}
