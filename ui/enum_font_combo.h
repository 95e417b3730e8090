// CEnumFontCombo: a drop-down list of the installed font faces. The dialog
// that holds it puts its own first item in and chooses the selection; the
// list only appends the faces.
#pragma once

#include <QComboBox>

namespace tavlex {

class CEnumFontCombo : public QComboBox {
  Q_OBJECT

 public:
  // The platform's selector for fonts of every character set.
  static constexpr int kDefaultCharset = 1;

  explicit CEnumFontCombo(QWidget* parent = nullptr);

  // Appends the face of every installed font after the items already there,
  // in the platform's order. Every face is listed once whatever charset asks.
  void EnumerateFonts(int charset);
};

}  // namespace tavlex
