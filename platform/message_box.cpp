#include "platform/message_box.h"

#include <QMessageBox>

#include "base/lines.h"
#include "platform/qt_text.h"

namespace tavlex::platform {
namespace {

MessageBox::StandIn standIn;

// The icon the style asks for; a box that asks for none shows none.
QMessageBox::Icon IconOf(unsigned style) {
  switch (style & MessageBox::kIconMask) {
    case MessageBox::kIconQuestion:
      return QMessageBox::Question;
    case MessageBox::kIconExclamation:
      return QMessageBox::Warning;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

int MessageBox::Show(QWidget* parent, const QString& text, const QString& caption, unsigned style) {
  if (standIn) return standIn(text, caption, style);
  // The platform's CR LF breaks are plain line breaks here.
  const QString shown = QString::fromStdU16String(CrLfToLf(ToU16View(text)));
  QMessageBox box(IconOf(style), caption, shown, QMessageBox::NoButton, parent);
  if (style & kYesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? kIdYes : kIdNo;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return kIdOk;
}

void MessageBox::SetStandInForTesting(StandIn replacement) { standIn = std::move(replacement); }

}  // namespace tavlex::platform
