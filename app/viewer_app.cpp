#include "app/viewer_app.h"

#include "app/main_frame.h"

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

bool CViewerApp::OnCommand(int) { return false; }

bool CViewerApp::CreateFrame() {
  frame_ = std::make_unique<CMainFrame>(settings_, this);
  frame_->show();
  return true;
}

}  // namespace tavlex
