// Reading dialog fields back: the framework's messages, the focus on the
// refused field, and the fields after it left alone; the real message boxes
// show the icon their style asks for, and none when it asks for none.
#include "ui/field_transfer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "tests/support/modal.h"
#include "tests/support/platform_fakes.h"

namespace tavlex {
namespace {

using platform::MessageBox;

TEST(FieldTransfer, ParsesUnsignedDecimalNumbersOnly) {
  EXPECT_EQ(ParseUnsignedDecimal(QStringLiteral("0")), 0u);
  EXPECT_EQ(ParseUnsignedDecimal(QStringLiteral(" 250 ")), 250u);
  EXPECT_EQ(ParseUnsignedDecimal(QStringLiteral("4294967295")), 4294967295u);
  for (const char* refused :
       {"", " ", "-1", "+1", "12a", "1 2", "4294967296", "99999999999999999999", "0x10"}) {
    EXPECT_EQ(ParseUnsignedDecimal(QString::fromUtf8(refused)), std::nullopt) << refused;
  }
}

struct Fields {
  QDialog dialog;
  QLineEdit* first = new QLineEdit(&dialog);
  QLineEdit* second = new QLineEdit(&dialog);
  QCheckBox* box = new QCheckBox(&dialog);
  uint32_t a = 5, b = 6;
  int checked = 0;

  bool Transfer() {
    FieldTransfer transfer(&dialog);
    transfer.Unsigned(first, a, 0, 9999);
    transfer.Unsigned(second, b);
    transfer.Check(box, checked);
    return transfer.ok();
  }
};

TEST(FieldTransfer, TheFirstRefusedFieldStopsTheTransfer) {
  testing::FakeMessageBoxes boxes;
  Fields fields;
  fields.dialog.show();
  QApplication::setActiveWindow(&fields.dialog);
  fields.box->setChecked(true);

  fields.first->setText(QStringLiteral("10000"));
  fields.second->setText(QStringLiteral("7"));
  boxes.SetNextAnswer(MessageBox::kIdOk);
  EXPECT_FALSE(fields.Transfer());
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Please enter an integer between 0 and 9999."));
  EXPECT_EQ(boxes.shown()[0].style & MessageBox::kIconMask, unsigned{MessageBox::kIconExclamation});
  EXPECT_TRUE(fields.first->hasFocus());
  EXPECT_EQ(fields.first->selectedText(), QStringLiteral("10000"));
  EXPECT_EQ(fields.a, 5u);
  EXPECT_EQ(fields.b, 6u);
  EXPECT_EQ(fields.checked, 0);

  fields.first->setText(QStringLiteral("9999"));
  fields.second->setText(QStringLiteral("x"));
  boxes.SetNextAnswer(MessageBox::kIdOk);
  EXPECT_FALSE(fields.Transfer());
  EXPECT_EQ(boxes.shown().back().text, QStringLiteral("Please enter a positive integer."));
  EXPECT_TRUE(fields.second->hasFocus());
  EXPECT_EQ(fields.a, 9999u);
  EXPECT_EQ(fields.checked, 0);

  // No range on the second field: any unsigned number goes.
  fields.second->setText(QStringLiteral("4000000000"));
  EXPECT_TRUE(fields.Transfer());
  EXPECT_EQ(fields.b, 4000000000u);
  EXPECT_EQ(fields.checked, 1);
  EXPECT_EQ(boxes.shown().size(), 2u);
}

TEST(FieldTransfer, TheRealBoxesShowTheIconAskedForOrNone) {
  for (const auto& [style, icon] :
       {std::pair{unsigned{MessageBox::kOk}, QMessageBox::NoIcon},
        {MessageBox::kOk | MessageBox::kIconExclamation, QMessageBox::Warning},
        {MessageBox::kYesNo | MessageBox::kIconQuestion, QMessageBox::Question}}) {
    QMessageBox::Icon shown = QMessageBox::Critical;
    testing::WhenModalShows([&shown](QWidget* box) {
      shown = static_cast<QMessageBox*>(box)->icon();
      box->close();
    });
    MessageBox::Show(nullptr, QStringLiteral("text"), QStringLiteral("caption"), style);
    EXPECT_EQ(shown, icon) << style;
  }
}

}  // namespace
}  // namespace tavlex
