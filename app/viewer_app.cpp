#include "app/viewer_app.h"

#include <QApplication>
#include <QTimer>
#include <utility>

#include "app/main_frame.h"
#include "app/outside_lookups.h"
#include "app/shutdown_signals.h"
#include "platform/message_box.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"
#include "ui/version_dlg.h"
#include "view/lookup_view.h"

namespace tavlex {

CViewerApp::CViewerApp() = default;

CViewerApp::~CViewerApp() {
  signals_.reset();
  outside_.reset();
  frame_.reset();
  settings_.Save();
}

void CViewerApp::Initialise(bool showFrame) {
  settings_.Load(u"tavlex.ini");
  CreateFrame(showFrame);
}

void CViewerApp::InitialiseWith(const std::filesystem::path& settingsPath, bool showFrame) {
  settings_.LoadPath(settingsPath);
  CreateFrame(showFrame);
}

bool CViewerApp::OnCommand(int command) {
  if (outside_ && outside_->OnCommand(command)) return true;
  if (command != ids::kAppAbout) return false;
  OnAppAbout();
  return true;
}

bool CViewerApp::OnCommandState(int command, platform::CommandState& state) {
  return outside_ && outside_->OnCommandState(command, state);
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
  if (outside_) outside_->LetRunEnd();
  if (frame_) platform::PostMessage(frame_.get(), ids::kWmClose);
}

void CViewerApp::SaveSettings() {
  if (frame_) {
    frame_->view()->SaveSettings();
  } else {
    settings_.Save();
  }
}

void CViewerApp::CreateFrame(bool showFrame) {
  frame_ = std::make_unique<CMainFrame>(settings_, this, &phoneStatus_);
  outside_ = std::make_unique<OutsideLookups>(settings_, *frame_);
  signals_ = std::make_unique<ShutdownSignals>([this] { EndRun(); });
  settings_.SetSaveFailureListener([this](const std::error_code& error) { TellSettingsNotSaved(error); });
  // The session asks before a logout; a program still running then may be killed.
  const auto save = [this] { SaveSettings(); };
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, frame_.get(), save);
  QObject::connect(qApp, &QGuiApplication::saveStateRequest, frame_.get(), save);
  if (showFrame) frame_->show();
}

void CViewerApp::TellSettingsNotSaved(const std::error_code& error) {
  // Once: every later change is saved, and fails, again. Posted, so that the
  // box never opens in the middle of whatever was saving; at the end of the
  // run there is no window left to tell.
  if (!frame_ || std::exchange(saveFailureTold_, true)) return;
  const QString text =
      LoadString(ids::kSettingsNotSaved)
          .arg(QString::fromStdString(settings_.Path().string()), QString::fromStdString(error.message()));
  QTimer::singleShot(0, frame_.get(), [this, text] {
    platform::MessageBox::Show(frame_.get(), text, LoadString(ids::kErrorCaption),
                               platform::MessageBox::kOk | platform::MessageBox::kIconExclamation);
  });
}

}  // namespace tavlex
