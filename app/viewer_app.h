// CViewerApp: the application object. It owns the settings image for the
// whole run, creates the main frame, and saves the image when it goes, after
// the frame (and with it the view, which writes into the image) is gone.
// SIGTERM, SIGINT and SIGHUP end the run as the exit command does, and the
// image is saved also when the desktop session asks programs to save. Words
// from other programs reach the view through its OutsideLookups. The first
// save of the run that fails (a full disk) is told in a message box.
#pragma once

#include <memory>
#include <system_error>

#include "platform/messages.h"
#include "platform/phone_status.h"
#include "settings/ini_file.h"

class QWidget;

namespace tavlex {

class CMainFrame;
class OutsideLookups;
class ShutdownSignals;

class CViewerApp : public platform::CommandTarget {
 public:
  CViewerApp();
  // Destroys the frame first, then saves the settings.
  ~CViewerApp();
  CViewerApp(const CViewerApp&) = delete;
  CViewerApp& operator=(const CViewerApp&) = delete;

  // Loads "tavlex.ini" from where the settings live and creates the main
  // frame, shown unless showFrame is false (a look-up may show the pop-up alone).
  void Initialise(bool showFrame = true);
  // The same, with the settings file at path (for tests and tools).
  void InitialiseWith(const std::filesystem::path& settingsPath, bool showFrame = true);

  // The last stop of a command: the focused child, the view and the frame
  // had it first. The application handles the about command.
  bool OnCommand(int command) override;
  bool OnCommandState(int command, platform::CommandState& state) override;
  // Shows the about box and returns when it closes.
  void OnAppAbout();
  // Ends the run as the exit command does: a menu or dialog in front closes
  // as if cancelled, then the frame closes, and the settings are saved once, at the end.
  void EndRun();
  // Writes the settings file now, with what the view holds of every
  // dictionary, as at the end of the run; the run goes on.
  void SaveSettings();

  IniFile& settings() { return settings_; }
  CMainFrame* frame() const { return frame_.get(); }
  OutsideLookups* outside() const { return outside_.get(); }

 private:
  void CreateFrame(bool showFrame);
  void TellSettingsNotSaved(const std::error_code& error);

  // Forces the phone status while a menu is open; this desktop has no such value.
  platform::PhoneStatusService phoneStatus_{nullptr};
  IniFile settings_;  // outlives every window
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<OutsideLookups> outside_;   // refers to the frame
  std::unique_ptr<ShutdownSignals> signals_;  // while the frame is up
  bool saveFailureTold_ = false;
};

}  // namespace tavlex
