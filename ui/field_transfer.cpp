#include "ui/field_transfer.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <limits>

#include "platform/message_box.h"

namespace tavlex {

std::optional<uint32_t> ParseUnsignedDecimal(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return std::nullopt;
  uint64_t value = 0;
  for (const QChar c : trimmed) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c.unicode() - u'0');
    if (value > std::numeric_limits<uint32_t>::max()) return std::nullopt;
  }
  return static_cast<uint32_t>(value);
}

void FieldTransfer::Check(const QAbstractButton* box, int& value) {
  if (ok_) value = box->isChecked() ? 1 : 0;
}

void FieldTransfer::Unsigned(QLineEdit* edit, uint32_t& value) {
  if (const std::optional<uint32_t> parsed = Parse(edit)) value = *parsed;
}

void FieldTransfer::Unsigned(QLineEdit* edit, uint32_t& value, uint32_t min, uint32_t max) {
  const std::optional<uint32_t> parsed = Parse(edit);
  if (!parsed) return;
  if (*parsed < min || *parsed > max) {
    Fail(edit, QStringLiteral("Please enter an integer between %1 and %2.").arg(min).arg(max));
    return;
  }
  value = *parsed;
}

void FieldTransfer::Text(QLineEdit* edit, QString& value, const std::function<bool(const QString&)>& accepts,
                         const QString& refusal) {
  if (!ok_) return;
  if (!accepts(edit->text())) {
    Fail(edit, refusal);
    return;
  }
  value = edit->text();
}

void FieldTransfer::Put(QLineEdit* edit, uint32_t value) { edit->setText(QString::number(value)); }

std::optional<uint32_t> FieldTransfer::Parse(QLineEdit* edit) {
  if (!ok_) return std::nullopt;
  std::optional<uint32_t> parsed = ParseUnsignedDecimal(edit->text());
  if (!parsed) Fail(edit, QStringLiteral("Please enter a positive integer."));
  return parsed;
}

void FieldTransfer::Fail(QLineEdit* edit, const QString& message) {
  ok_ = false;
  platform::MessageBox::Show(dialog_, message, QStringLiteral("Tavlex"),
                             platform::MessageBox::kOk | platform::MessageBox::kIconExclamation);
  edit->setFocus();
  edit->selectAll();
}

}  // namespace tavlex
