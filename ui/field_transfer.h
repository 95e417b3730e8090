// FieldTransfer: reading a dialog's fields back into its members, field by
// field in order, with the framework's validation messages. The first field
// that is refused shows its message (exclamation icon), takes the focus with
// its text selected and ends the transfer: the fields after it keep their
// old values, and the dialog stays open.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class QAbstractButton;
class QLineEdit;
class QWidget;

namespace tavlex {

// An unsigned decimal number of 32 bits, spaces around it allowed; nothing
// for anything else (a sign, other characters, no digits, too large).
std::optional<uint32_t> ParseUnsignedDecimal(const QString& text);

class FieldTransfer {
 public:
  // The message boxes belong to dialog.
  explicit FieldTransfer(QWidget* dialog) : dialog_(dialog) {}

  // Each reads one field into value, unless an earlier field was refused.
  void Check(const QAbstractButton* box, int& value);
  // "Please enter a positive integer." when the text is no unsigned number.
  void Unsigned(QLineEdit* edit, uint32_t& value);
  // The same, then "Please enter an integer between min and max."
  void Unsigned(QLineEdit* edit, uint32_t& value, uint32_t min, uint32_t max);
  // The text as it is, when accepts(text); otherwise refusal.
  void Text(QLineEdit* edit, QString& value, const std::function<bool(const QString&)>& accepts,
            const QString& refusal);

  // True while no field was refused.
  bool ok() const { return ok_; }

  // Writes value into edit, as the transfer into the controls does.
  static void Put(QLineEdit* edit, uint32_t value);

 private:
  std::optional<uint32_t> Parse(QLineEdit* edit);
  void Fail(QLineEdit* edit, const QString& message);

  QWidget* dialog_;
  bool ok_ = true;
};

}  // namespace tavlex
