// CMainFrame: the top-level window. It hosts the lookup view as its client.
// Commands that the view and its children do not handle come here, and what
// the frame does not handle goes on to the application object.
#pragma once

#include <QMainWindow>

#include "platform/messages.h"

namespace tavlex {

class CLookupView;
class IniFile;

class CMainFrame : public QMainWindow, public platform::CommandTarget {
  Q_OBJECT

 public:
  // application handles what reaches it last; it may be null, and must outlive the frame.
  CMainFrame(IniFile& settings, platform::CommandTarget* application);
  ~CMainFrame() override;

  bool OnCommand(int command) override;
  CLookupView* view() const { return view_; }

 protected:
  bool event(QEvent* event) override;

 private:
  platform::CommandTarget* application_;
  CLookupView* view_;  // the client window, a child widget
};

}  // namespace tavlex
