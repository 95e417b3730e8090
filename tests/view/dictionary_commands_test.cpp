// The dictionary commands of the lookup view as a user meets them: what the
// open-file request asks and the messages of a refused registration, and the
// settings dialog with its removal question. What the commands do to the
// registered dictionaries is tested without a window (registered_dictionaries_test);
// the walk through the real menus is the frame's (menu_commands_test).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <fstream>

#include "resources/resource_ids.h"
#include "settings/ini_file.h"
#include "tests/support/fake_timers.h"
#include "tests/support/modal.h"
#include "tests/support/platform_fakes.h"
#include "tests/support/qt_printers.h"
#include "tests/support/test_dictionaries.h"
#include "tests/support/view_fixture.h"
#include "ui/index_edit.h"
#include "view/lookup_view.h"

namespace tavlex {
namespace {

using platform::MessageBox;
using testing::Settle;

class DictionaryCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { paths_ = testing::WriteThreeRegistered(dir_); }

  void Open() {
    settings_.LoadPath(dir_.path() / "tavlex.ini");
    view_ = std::make_unique<CLookupView>(settings_, &frame_);
    view_->OpenDictionaries();  // as the window's first paint would
    Settle();
    frame_.settingsChanged = 0;
  }
  void Command(int command) {
    platform::PostCommand(view_.get(), command);
    Settle();
  }
  QStringList Shown() const { return testing::Shown(*view_); }

  testing::TempDir dir_;
  std::vector<std::u16string> paths_;
  IniFile settings_;
  testing::FakeTimers timers_;
  testing::FakeMessageBoxes boxes_;
  testing::FakeOpenFileDialog files_;
  testing::FakeFontFamilies fonts_{{"Alpha", "Beta"}};
  testing::FrameStandIn frame_;
  std::unique_ptr<CLookupView> view_;
};

TEST_F(DictionaryCommandsTest, RegistrationRefusalsChangeNothing) {
  Open();
  const std::u16string bracketed = testing::WriteTestDictionary(dir_, "x]y.dic", testing::Words({u"w"}));
  const std::u16string junk = dir_.File("junk.dic");
  std::ofstream(std::filesystem::path(junk)) << "not a dictionary";
  files_.SetNextResult(QString());  // cancelled
  Command(ids::kRegisterDictionary);
  EXPECT_TRUE(boxes_.shown().empty());
  for (const std::u16string& path : {junk, bracketed}) {
    files_.SetNextResult(QString::fromStdU16String(path));
    boxes_.SetNextAnswer(MessageBox::kIdOk);
    Command(ids::kRegisterDictionary);
  }
  ASSERT_EQ(boxes_.shown().size(), 2u);
  EXPECT_EQ(boxes_.shown()[0].text, "正しい辞書ではありません");
  EXPECT_EQ(boxes_.shown()[0].caption, "Error");
  EXPECT_TRUE(boxes_.shown()[1].text.startsWith("このパスは設定ファイルに保存できないため"));
  files_.SetNextResult(QString::fromStdU16String(paths_[2]));  // already registered
  Command(ids::kRegisterDictionary);
  EXPECT_EQ(boxes_.shown().size(), 2u);
  EXPECT_EQ(view_->dictionarySet().count(), 3u);
  EXPECT_EQ(settings_.GetString(u"dictionary", u"dic4"), u"");

  const auto& shown = files_.shown();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].title, "辞書を開く...");
  EXPECT_EQ(shown[0].filters, (QStringList{"PDIC形式 (*.dic)", "全てのファイル (*)"}));
  EXPECT_EQ(shown[0].initialDirectory, QDir::homePath());
}

TEST_F(DictionaryCommandsTest, SettingsDialogStoresTheFieldsAndMayRemoveTheDictionary) {
  Open();
  view_->searchEdit()->setText("go");
  Command(ids::kSearch);
  const QStringList before = Shown();
  testing::WhenModalShows([this](QWidget* dialog) {
    EXPECT_EQ(dialog->findChild<QLineEdit*>("dicPath")->text(), QString::fromStdU16String(paths_[2]));
    dialog->findChild<QLineEdit*>("searchMax")->setText("5");
    dialog->findChild<QLineEdit*>("cacheSize")->setText("2");
    dialog->findChild<QComboBox*>("indexFont")->setCurrentIndex(2);
    dialog->findChild<QComboBox*>("indexSize")->setCurrentText("24");
    dialog->findChild<QCheckBox*>("removeRequest")->setChecked(true);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  boxes_.SetNextAnswer(MessageBox::kIdNo);
  Command(ids::kDictionarySettingsFirst + 2);
  const DictionarySettings& kept = view_->dictionarySet().at(2).settings();
  EXPECT_EQ(kept.searchMax, 5);
  EXPECT_EQ(kept.cacheSize, 2);
  EXPECT_EQ(kept.indexFont, u"Beta");
  EXPECT_EQ(kept.indexSize, 24);
  EXPECT_EQ(settings_.GetString(paths_[2], u"IndexSize"), u"24");
  EXPECT_EQ(frame_.settingsChanged, 1);
  EXPECT_EQ(Shown(), before);  // a change of settings shows from the next search
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].text, "辞書ファイル [" + QString::fromStdU16String(paths_[2]) +
                                        "] を登録から削除します。\r\nよろしいですか？");
  EXPECT_EQ(boxes_.shown()[0].caption, "確認");
  EXPECT_EQ(boxes_.shown()[0].style, MessageBox::kYesNo | MessageBox::kIconQuestion);

  testing::WhenModalShows([](QWidget* dialog) {
    dialog->findChild<QCheckBox*>("removeRequest")->setChecked(true);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  boxes_.SetNextAnswer(MessageBox::kIdYes);
  Command(ids::kDictionarySettingsFirst);
  EXPECT_EQ(view_->dictionarySet().count(), 2u);
  EXPECT_EQ(settings_.GetString(u"dictionary", u"dic1"), paths_[1]);
  EXPECT_EQ(settings_.GetString(u"dictionary", u"dic3"), u"");
  EXPECT_EQ(frame_.settingsChanged, 3);
  EXPECT_EQ(Shown(), (QStringList{"go", "c", ""}));  // the word looked up again without a
}

}  // namespace
}  // namespace tavlex
