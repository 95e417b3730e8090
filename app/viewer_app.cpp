#include "app/viewer_app.h"

#include <QApplication>

#include "app/main_frame.h"
#include "app/shutdown_signals.h"
#include "resources/resource_ids.h"
#include "ui/version_dlg.h"
#include "view/lookup_view.h"

namespace tavlex {

CViewerApp::CViewerApp() = default;

CViewerApp::~CViewerApp() {
  signals_.reset();
  frame_.reset();
  settings_.Save();
}

bool CViewerApp::Initialise() {
  settings_.Load(u"tavlex.ini");
  return CreateFrame();
}

bool CViewerApp::InitialiseWith(const std::filesystem::path& settingsPath) {
  settings_.LoadPath(settingsPath);
  return CreateFrame();
}

bool CViewerApp::OnCommand(int command) {
  if (command != ids::kAppAbout) return false;
  OnAppAbout();
  return true;
}

void CViewerApp::OnAppAbout() {
  CVersionDlg dialog(frame_.get());
  dialog.exec();
}

void CViewerApp::EndRun() {
  // Closed as if cancelled, so that each nested loop returns to its caller;
  // hidden when a box refuses to close. One that stays in front all the same
  // ends the loop rather than hang the end of the run.
  for (QWidget* front = CMainFrame::WindowInFront(); front;) {
    front->close();
    front->hide();
    QWidget* next = CMainFrame::WindowInFront();
    front = next != front ? next : nullptr;
  }
  if (frame_) platform::PostMessage(frame_.get(), platform::kWmClose);
}

void CViewerApp::SaveSettings() {
  if (frame_) {
    frame_->view()->SaveSettings();
  } else {
    settings_.Save();
  }
}

bool CViewerApp::CreateFrame() {
  frame_ = std::make_unique<CMainFrame>(settings_, this, &phoneStatus_);
  signals_ = std::make_unique<ShutdownSignals>([this] { EndRun(); });
  // The session asks before a logout; a program still running then may be killed.
  const auto save = [this] { SaveSettings(); };
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, frame_.get(), save);
  QObject::connect(qApp, &QGuiApplication::saveStateRequest, frame_.get(), save);
  frame_->show();
  return true;
}

}  // namespace tavlex
