// The real message boxes: each shows the icon its style asks for, and none
// when it asks for none.
#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <QMessageBox>

#include "tests/support/modal.h"

namespace tavlex {
namespace {

using platform::MessageBox;

TEST(MessageBoxes, ShowTheIconTheirStyleAsksFor) {
  const std::pair<unsigned, QMessageBox::Icon> cases[] = {
      {MessageBox::kOk, QMessageBox::NoIcon},
      {MessageBox::kOk | MessageBox::kIconExclamation, QMessageBox::Warning},
      {MessageBox::kYesNo | MessageBox::kIconQuestion, QMessageBox::Question},
  };
  for (const auto& [style, icon] : cases) {
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
