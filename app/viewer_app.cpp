#include "app/viewer_app.h"

#include "app/main_frame.h"
#include "resources/resource_ids.h"
#include "ui/version_dlg.h"

namespace tavlex {

CViewerApp::CViewerApp() = default;

CViewerApp::~CViewerApp() {
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

bool CViewerApp::CreateFrame() {
  frame_ = std::make_unique<CMainFrame>(settings_, this, &phoneStatus_);
  frame_->show();
  return true;
}

}  // namespace tavlex
