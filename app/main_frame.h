// CMainFrame: the top-level window. It hosts the lookup view as its client
// and is where commands end up that the view and its children do not handle.
#pragma once

#include <QMainWindow>

#include "platform/messages.h"

namespace tavlex {

class CLookupView;
class IniFile;

class CMainFrame : public QMainWindow, public platform::CommandTarget {
  Q_OBJECT

 public:
  explicit CMainFrame(IniFile& settings);
  ~CMainFrame() override;

  bool OnCommand(int command) override;
  CLookupView* view() const { return view_; }

 protected:
  bool event(QEvent* event) override;

 private:
  CLookupView* view_;  // the client window, a child widget
};

}  // namespace tavlex
