// CViewerApp: the application object. It owns the settings image for the
// whole run, creates the main frame, and saves the image when it goes, after
// the frame (and with it the view, which writes into the image) is gone.
#pragma once

#include <memory>

#include "platform/messages.h"
#include "settings/ini_file.h"

namespace tavlex {

class CMainFrame;

class CViewerApp : public platform::CommandTarget {
 public:
  CViewerApp();
  // Destroys the frame first, then saves the settings.
  ~CViewerApp();
  CViewerApp(const CViewerApp&) = delete;
  CViewerApp& operator=(const CViewerApp&) = delete;

  // Loads "tavlex.ini" from the program's directory and shows the main frame.
  bool Initialise();
  // The same, with the settings file at path (for tests and tools).
  bool InitialiseWith(const std::filesystem::path& settingsPath);

  // The last stop of a command: the focused child, the view and the frame had it first.
  bool OnCommand(int command) override;

  IniFile& settings() { return settings_; }
  CMainFrame* frame() const { return frame_.get(); }

 private:
  bool CreateFrame();

  IniFile settings_;  // outlives every window
  std::unique_ptr<CMainFrame> frame_;
};

}  // namespace tavlex
