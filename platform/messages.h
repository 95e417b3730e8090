// Window messages and commands carried as Qt events. Notifications between
// the viewer's windows are posted, never sent: the receiver handles them after
// the sender has finished its own processing, in the order they were posted.
// Their numbers are in resources/resource_ids.h.
#pragma once

#include <QEvent>
#include <QObject>
#include <optional>

namespace tavlex::platform {

class MessageEvent : public QEvent {
 public:
  static QEvent::Type Type();
  explicit MessageEvent(int message, qintptr wParam = 0, qintptr lParam = 0)
      : QEvent(Type()), message_(message), wParam_(wParam), lParam_(lParam) {}

  int message() const { return message_; }
  qintptr wParam() const { return wParam_; }
  qintptr lParam() const { return lParam_; }

 private:
  int message_;
  qintptr wParam_;
  qintptr lParam_;
};

class CommandEvent : public QEvent {
 public:
  static QEvent::Type Type();
  explicit CommandEvent(int command) : QEvent(Type()), command_(command) {}
  int command() const { return command_; }

 private:
  int command_;
};

// What a menu shows of a command's item; a target that has no say leaves it.
struct CommandState {
  bool enabled = true;
  std::optional<bool> checked;  // none: the item carries no check mark
  bool shown = true;            // false: the menu leaves the item out when it is built
};

// Something that can handle a command; returns true when it did. Command-state
// queries take the same road as the commands, and stop at the first target
// that answers one.
class CommandTarget {
 public:
  virtual bool OnCommand(int command) = 0;
  virtual bool OnCommandState(int /*command*/, CommandState& /*state*/) { return false; }

 protected:
  ~CommandTarget() = default;
};

void PostMessage(QObject* target, int message, qintptr wParam = 0, qintptr lParam = 0);
void PostCommand(QObject* target, int command);

}  // namespace tavlex::platform
