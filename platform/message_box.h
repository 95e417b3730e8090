// MessageBox: the modal message boxes of the viewer. Tests give the next
// answer instead of letting a box be shown, and read what would have shown.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

namespace tavlex::platform {

class MessageBox {
 public:
  // Button sets and the answers, with the platform's numbers.
  enum Style : unsigned {
    kOk = 0x00,
    kYesNo = 0x04,
    kIconQuestion = 0x20,
    kIconExclamation = 0x30,
    kIconMask = 0xF0
  };
  enum Answer : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

  struct Shown {
    QString text;
    QString caption;
    unsigned style;
  };

  // Shows a modal box and returns the answer.
  static int Show(QWidget* parent, const QString& text, const QString& caption, unsigned style);

  // Tests: the next Show returns answer at once without showing anything.
  static void SetNextAnswer(int answer);
  // Tests: every box asked for since the last ClearHistory.
  static const std::vector<Shown>& History();
  static void ClearHistory();
};

}  // namespace tavlex::platform
