// MessageBox: the modal message boxes of the viewer. Tests put a stand-in in
// place of the boxes, which answers them (tests/support/platform_fakes.h).
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

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

  // Shows a modal box and returns the answer.
  static int Show(QWidget* parent, const QString& text, const QString& caption, unsigned style);

  // Answers a box in place of the user, with what Show returns.
  using StandIn = std::function<int(const QString& text, const QString& caption, unsigned style)>;
  // Tests: standIn answers every box from now on; an empty one puts the real boxes back.
  static void SetStandInForTesting(StandIn standIn);
};

}  // namespace tavlex::platform
