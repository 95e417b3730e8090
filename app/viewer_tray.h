// ViewerTray: the tray icon that shows while the clipboard is watched, so that
// the viewer can run on with no window; its menu opens the window or quits.
// Where the desktop has no tray none is made, and the window stays the way back.
#pragma once

#include <QObject>
#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace tavlex {

class ViewerTray : public QObject {
  Q_OBJECT

 public:
  ViewerTray();
  ~ViewerTray() override;

  void Show();
  void Hide();
  // It shows in a tray that is there: the run may go on without a window.
  bool shown() const;

 signals:
  void openWindowRequested();
  void quitRequested();

 private:
  void Create();

  QSystemTrayIcon* icon_ = nullptr;  // a child of this object, once shown
  std::unique_ptr<QMenu> menu_;
};

}  // namespace tavlex
