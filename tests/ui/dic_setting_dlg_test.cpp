// The dictionary settings dialog driven by its controls' names: what it shows
// on opening, the checks of its number fields, the inflection check box.
#include "ui/dic_setting_dlg.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "resources/resource_ids.h"
#include "resources/string_table.h"
#include "tests/support/modal.h"
#include "tests/support/platform_fakes.h"

namespace tavlex {
namespace {

using platform::MessageBox;

class DicSettingDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog_.fields().cacheSize = 10;
    dialog_.fields().searchMax = 30;
    dialog_.fields().indexFont = "Alpha";
    dialog_.fields().indexSize = 12;
    dialog_.fields().transFont = "Missing";
    dialog_.fields().transSize = 11;
    dialog_.fields().sampleSize = 10;
    dialog_.fields().path = "/dics/english.dic";
  }
  template <typename T>
  T* Control(const char* name) {
    T* control = dialog_.findChild<T*>(QLatin1String(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  // Runs the dialog with these steps inside it; they must end it.
  int Run(std::function<void()> steps) {
    testing::WhenModalShows([steps = std::move(steps)](QWidget*) { steps(); });
    return dialog_.exec();
  }

  testing::FakeMessageBoxes boxes_;
  // One face reported twice, as a system listing it per character set would.
  testing::FakeFontFamilies fonts_{{"Alpha", "Beta", "Alpha"}};
  CDicSettingDlg dialog_{nullptr};
};

TEST_F(DicSettingDlgTest, OpensWithTheFieldsAndStoresTheListsChoices) {
  const int result = Run([this] {
    EXPECT_EQ(Control<QLineEdit>("cacheSize")->text(), "10");
    EXPECT_TRUE(Control<QLineEdit>("dicPath")->isReadOnly());
    auto* index = Control<QComboBox>("indexFont");
    EXPECT_EQ(index->count(), 4);
    EXPECT_EQ(index->itemText(0), "未設定");
    EXPECT_EQ(index->currentIndex(), 3);  // the last "Alpha"
    EXPECT_EQ(Control<QComboBox>("transFont")->currentIndex(), 0);
    EXPECT_EQ(Control<QComboBox>("transSize")->currentIndex(), -1);  // 11 is not offered
    EXPECT_EQ(Control<QComboBox>("indexSize")->currentText(), "12");
    EXPECT_EQ(Control<QComboBox>("sampleSize")->currentText(), "10");
    EXPECT_EQ(Control<QComboBox>("sampleSize")->count(), 11);
    // Enabled on opening though inflection search is off.
    EXPECT_TRUE(Control<QCheckBox>("englishConjugation")->isEnabled());
    Control<QComboBox>("sampleFont")->setCurrentIndex(2);
    Control<QLineEdit>("dicName")->setText("");
    Control<QCheckBox>("removeRequest")->setChecked(true);
    dialog_.accept();
  });
  ASSERT_EQ(result, QDialog::Accepted);
  const CDicSettingDlg::Fields& f = dialog_.fields();
  EXPECT_EQ(f.indexFont, "Alpha");
  EXPECT_EQ(f.transFont, "");
  EXPECT_EQ(f.transSize, 0);
  EXPECT_EQ(f.sampleFont, "Beta");
  EXPECT_EQ(f.removeRequest, 1);
  EXPECT_EQ(f.dicName, "");
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(DicSettingDlgTest, FieldsOutOfRangeOrThatTheFileCannotHoldKeepTheDialogOpen) {
  const QString range = QStringLiteral("Please enter an integer between 1 and 1000.");
  const QString name = LoadString(ids::kNameNotStorable);
  struct Case {
    const char* cacheSize;
    const char* searchMax;
    QString dicName;
    QString message;  // empty: accepted
    const char* focused;
  };
  const Case cases[] = {
      {"0", "5", "", range, "cacheSize"},
      {"1000", "1001", "", range, "searchMax"},
      {"abc", "5", "", QStringLiteral("Please enter a positive integer."), "cacheSize"},
      // The settings file would give back "英和" alone.
      {"1", "1000", QStringLiteral("英和; 第2版"), name, "dicName"},
      {"1", "1000", QStringLiteral("英和 第2版 "), name, "dicName"},
      {"1", "1000", QStringLiteral("\t英和"), name, "dicName"},
      {"1", "1000", QStringLiteral("英和 [第2版] a=b"), "", ""},
  };
  for (const Case& c : cases) {
    const size_t seen = boxes_.shown().size();
    Run([&] {
      Control<QLineEdit>("cacheSize")->setText(c.cacheSize);
      Control<QLineEdit>("searchMax")->setText(c.searchMax);
      Control<QLineEdit>("dicName")->setText(c.dicName);
      boxes_.SetNextAnswer(MessageBox::kIdOk);
      dialog_.accept();
      if (c.message.isEmpty()) return;
      EXPECT_TRUE(dialog_.isVisible()) << c.cacheSize;
      auto* failing = Control<QLineEdit>(c.focused);
      EXPECT_EQ(dialog_.focusWidget(), failing) << c.focused;
      EXPECT_EQ(failing->selectedText(), failing->text());
      dialog_.reject();
    });
    if (c.message.isEmpty()) {
      EXPECT_EQ(boxes_.shown().size(), seen);
      EXPECT_EQ(dialog_.fields().cacheSize, 1u);
      EXPECT_EQ(dialog_.fields().searchMax, 1000u);
      EXPECT_EQ(dialog_.fields().dicName, c.dicName);
    } else {
      ASSERT_EQ(boxes_.shown().size(), seen + 1);
      EXPECT_EQ(boxes_.shown().back().text, c.message);
      EXPECT_EQ(dialog_.fields().dicName, "") << "kept";
    }
  }
}

TEST_F(DicSettingDlgTest, InflectionCheckBoxEnablesTheTwoBelowIt) {
  Run([this] {
    auto* english = Control<QCheckBox>("english");
    auto* ending = Control<QCheckBox>("englishConjugation");
    auto* accent = Control<QCheckBox>("accent");
    QTest::mouseClick(english, Qt::LeftButton);
    EXPECT_TRUE(ending->isEnabled() && accent->isEnabled());
    QTest::mouseClick(english, Qt::LeftButton);
    EXPECT_FALSE(ending->isEnabled() || accent->isEnabled());
    // A field that fails stops the transfer with its message at once.
    Control<QLineEdit>("cacheSize")->setText("x");
    boxes_.SetNextAnswer(MessageBox::kIdOk);
    QTest::mouseClick(english, Qt::LeftButton);
    EXPECT_EQ(boxes_.shown().size(), 1u);
    EXPECT_FALSE(ending->isEnabled());  // english kept its old member value
    dialog_.reject();
  });
}

}  // namespace
}  // namespace tavlex
