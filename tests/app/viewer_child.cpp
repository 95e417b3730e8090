// The viewer in a process of its own, for the tests that end it with a
// signal: it runs one command to its end, dialogs included, then sends itself
// the signal. Unless the signal kills it, it prints how often the settings
// file was written once the application object is gone.
//   viewer_child SETTINGS_FILE DICTIONARY SIGNAL COMMAND
// COMMAND is one of
//   register      registers DICTIONARY through the open-file service
//   options-open  registers it, then sends the signal while the options dialog is open
//   rename        names the first dictionary "Renamed" in its settings dialog
//   remove        removes the first dictionary, the question answered Yes
//   choose        puts the second dictionary alone in use
//   options       turns the keypad menus on in the options dialog
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/main_frame.h"
#include "app/viewer_app.h"
#include "resources/resource_ids.h"
#include "tests/support/modal.h"
#include "tests/support/platform_fakes.h"
#include "view/lookup_view.h"

namespace tavlex {
namespace {

// What a command does inside the dialog it opens; it ends the dialog.
using InDialog = std::function<void(QWidget* dialog)>;

void Check(QWidget* dialog, const char* box) {
  dialog->findChild<QCheckBox*>(QLatin1String(box))->setChecked(true);
}
void Confirm(QWidget* dialog) { QMetaObject::invokeMethod(dialog, "accept"); }

// Runs command on the view and returns once it has ended.
void Run(CLookupView* view, int command, InDialog inDialog = nullptr) {
  if (inDialog) testing::WhenModalShows(std::move(inDialog));
  platform::CommandEvent event(command);
  QCoreApplication::sendEvent(view, &event);
}

}  // namespace
}  // namespace tavlex

int main(int argc, char** argv) {
  using namespace tavlex;
  if (argc != 5) return 2;
  const int signal = std::atoi(argv[3]);
  const std::string command = argv[4];
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
    testing::FakeMessageBoxes boxes;
    boxes.SetNextAnswer(platform::MessageBox::kIdYes);
    CLookupView* view = viewer.frame()->view();
    const auto signalSelf = [signal] { ::kill(::getpid(), signal); };

    QTimer::singleShot(0, [&] {
      if (command == "register" || command == "options-open") {
        Run(view, ids::kRegisterDictionary);
      } else if (command == "rename") {
        Run(view, ids::kDictionarySettingsFirst, [](QWidget* dialog) {
          dialog->findChild<QLineEdit*>(QStringLiteral("dicName"))->setText(QStringLiteral("Renamed"));
          Confirm(dialog);
        });
      } else if (command == "remove") {
        Run(view, ids::kDictionarySettingsFirst, [](QWidget* dialog) {
          Check(dialog, "removeRequest");
          Confirm(dialog);
        });
      } else if (command == "choose") {
        Run(view, ids::kDictionaryChoiceFirst + 1);
      } else if (command == "options") {
        Run(view, ids::kOptions, [](QWidget* dialog) {
          Check(dialog, "menuTenkey");
          Confirm(dialog);
        });
      }
      if (command == "options-open") {
        Run(view, ids::kOptions, [&](QWidget*) { signalSelf(); });
      } else {
        signalSelf();
      }
    });
    application.exec();
  }
  std::printf("writes=%d\n", writes);
  return 0;
}
