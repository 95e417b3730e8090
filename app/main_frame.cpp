#include "app/main_frame.h"

#include "resources/resource_ids.h"
#include "view/lookup_view.h"

namespace tavlex {
namespace {

// A comfortable size for a dictionary window on a desktop, in logical pixels.
constexpr QSize kInitialSize(520, 720);

}  // namespace

CMainFrame::CMainFrame(IniFile& settings, platform::CommandTarget* application) : application_(application) {
  setObjectName(QStringLiteral("mainFrame"));
  setWindowTitle(QStringLiteral("Tavlex"));
  view_ = new CLookupView(settings, this);
  setCentralWidget(view_);
  resize(kInitialSize);
}

// The view writes the dictionary settings into the image as it goes; the
// image itself is saved later, by the application.
CMainFrame::~CMainFrame() = default;

bool CMainFrame::OnCommand(int command) {
  if (command == ids::kExit) {
    close();
    return true;
  }
  return application_ && application_->OnCommand(command);
}

bool CMainFrame::event(QEvent* event) {
  if (event->type() == platform::MessageEvent::Type()) {
    // The settings-changed message: the menus that depend on the settings come with the menu bar.
    return true;
  }
  return QMainWindow::event(event);
}

}  // namespace tavlex
