// GlobalShortcut: the viewer's global key for the pop-up of the selection,
// where the desktop's portal binds one (ShortcutPortal). It shows the ツール
// menu's item once the portal is known to be there, binds the key again at
// once when it was bound before, tells the user when a binding they asked
// for fails, and hands on each press.
#pragma once

#include <QObject>
#include <memory>

class QDBusConnection;
class QWidget;

namespace tavlex {

class ShortcutPortal;

class GlobalShortcut : public QObject {
  Q_OBJECT

 public:
  // frame, the window the desktop's dialog belongs to, must outlive this object.
  GlobalShortcut(const QDBusConnection& connection, QWidget& frame, bool boundBefore);
  ~GlobalShortcut() override;

  bool available() const;
  // The user chose the menu item: a failure is told.
  void BindAsked();

 signals:
  // The desktop bound the key.
  void bound();
  // The key was pressed; the token lets the pop-up come to the front.
  void pressed(const QString& activationToken);

 private:
  void Bind();
  void OnBound(bool ok);

  QWidget& frame_;
  std::unique_ptr<ShortcutPortal> portal_;
  bool asked_ = false;
};

}  // namespace tavlex
