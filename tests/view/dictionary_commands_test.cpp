// The dictionary commands of the lookup view as a user walks them: the two
// menus, choosing dictionaries, registering a file through the open-file
// service, and the settings dialog with its removal question.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <fstream>

#include "platform/font_families.h"
#include "platform/message_box.h"
#include "platform/open_file_dialog.h"
#include "resources/resource_ids.h"
#include "settings/ini_file.h"
#include "tests/support/fake_timers.h"
#include "tests/support/modal.h"
#include "tests/support/qt_printers.h"
#include "tests/support/test_dictionaries.h"
#include "ui/editor.h"
#include "ui/index_edit.h"
#include "view/lookup_view.h"

namespace tavlex {
namespace {

using platform::MessageBox;

// Stands in for the frame: counts the settings-changed messages it is posted.
class FrameStandIn : public QWidget {
 public:
  int settingsChanged = 0;

 protected:
  bool event(QEvent* event) override {
    if (event->type() != platform::MessageEvent::Type()) return QWidget::event(event);
    ++settingsChanged;
    return true;
  }
};

class DictionaryCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MessageBox::ClearHistory();
    platform::ClearOpenFileHistoryForTesting();
    platform::SetInstalledFontFamiliesForTesting(QStringList{"Alpha", "Beta"});
    std::ofstream ini(dir_.path() / "tavlex.ini");
    ini << "[dictionary]\n";
    for (const char* name : {"a", "b", "c"}) {
      const std::u16string tag(name, name + 1);
      paths_.push_back(
          testing::WriteTestDictionary(dir_, std::string(name) + ".dic", {{u"go", u"", 0, tag, u"", u""}}));
      ini << "dic" << paths_.size() << "=" << Utf8(paths_.back()) << "\n";
    }
    ini << "[" << Utf8(paths_[0]) << "]\nDicName=英和\n[" << Utf8(paths_[1]) << "]\nirreg=1\n";
  }
  void TearDown() override { platform::SetInstalledFontFamiliesForTesting(std::nullopt); }

  void Open() {
    settings_.LoadPath(dir_.path() / "tavlex.ini");
    view_ = std::make_unique<CLookupView>(settings_, &frame_);
    Settle();
    frame_.settingsChanged = 0;
  }
  static std::string Utf8(const std::u16string& s) { return std::filesystem::path(s).string(); }
  static void Settle() {
    for (int round = 0; round < 3; ++round) QApplication::sendPostedEvents();
  }
  void Command(int command) {
    platform::PostCommand(view_.get(), command);
    Settle();
  }
  // The ids and texts of a menu's items; a separator shows as 0 and "-".
  static std::vector<std::pair<int, QString>> Items(const QMenu* menu) {
    std::vector<std::pair<int, QString>> items;
    for (const QAction* action : menu->actions()) {
      items.emplace_back(action->data().toInt(),
                         action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return items;
  }
  QStringList Shown() const {
    QStringList texts;
    for (const auto& paragraph : view_->resultDisplay()->paragraphs()) texts << paragraph.text;
    return texts;
  }
  bool Checked(int command) { return view_->QueryCommandState(command).checked.value_or(false); }

  testing::TempDir dir_;
  std::vector<std::u16string> paths_;
  IniFile settings_;
  testing::FakeTimers timers_;
  FrameStandIn frame_;
  std::unique_ptr<CLookupView> view_;
};

TEST_F(DictionaryCommandsTest, MenusListDictionariesByPlaceAndChoicesSearchAgain) {
  Open();
  QMenu top;  // "メニュー": "編集", then "ツール" holding "辞書設定" second
  top.addMenu("edit");
  QMenu* tools = top.addMenu("tools");
  tools->addAction("register");
  tools->addMenu("settings")->addAction("dummy");
  view_->FillDictionaryMenu(0, &top);
  using MenuItems = std::vector<std::pair<int, QString>>;
  EXPECT_EQ(Items(tools->actions()[1]->menu()),
            (MenuItems{{20000, "英和"}, {20001, "b.dic"}, {20002, "c.dic"}}));
  QMenu choice;
  choice.addAction("dummy");
  view_->FillDictionaryMenu(1, &choice);
  // The irregular b leaves a gap in the ids.
  EXPECT_EQ(Items(&choice),
            (MenuItems{{20200, "英和"}, {20202, "c.dic"}, {0, "-"}, {20203, "全ての辞書\t(&L)"}}));
  EXPECT_TRUE(Checked(20203));
  EXPECT_FALSE(Checked(20200));

  view_->searchEdit()->setText("go");
  Command(ids::kSearch);
  EXPECT_EQ(Shown(), (QStringList{"go", "a", "", "go", "c", ""}));
  Command(20202);
  EXPECT_EQ(Shown(), (QStringList{"go", "c", ""}));
  EXPECT_TRUE(view_->dictionarySet().at(1).settings().irregular);
  EXPECT_FALSE(view_->dictionarySet().at(1).settings().notUsed);
  EXPECT_FALSE(Checked(20200));
  EXPECT_TRUE(Checked(20202));
  EXPECT_FALSE(Checked(20203));
  Command(20203);
  EXPECT_EQ(Shown(), (QStringList{"go", "a", "", "go", "c", ""}));
  EXPECT_TRUE(Checked(20203));
  EXPECT_FALSE(Checked(20202));
}

TEST_F(DictionaryCommandsTest, RegistrationRefusalsChangeNothing) {
  Open();
  const std::u16string bracketed = testing::WriteTestDictionary(dir_, "x]y.dic", testing::Words({u"w"}));
  const std::u16string junk = dir_.File("junk.dic");
  std::ofstream(std::filesystem::path(junk)) << "not a dictionary";
  platform::SetNextOpenFileResultForTesting(QString());  // cancelled
  Command(ids::kRegisterDictionary);
  EXPECT_TRUE(MessageBox::History().empty());
  for (const std::u16string& path : {junk, bracketed}) {
    platform::SetNextOpenFileResultForTesting(QString::fromStdU16String(path));
    MessageBox::SetNextAnswer(MessageBox::kIdOk);
    Command(ids::kRegisterDictionary);
  }
  ASSERT_EQ(MessageBox::History().size(), 2u);
  EXPECT_EQ(MessageBox::History()[0].text, "正しい辞書ではありません");
  EXPECT_EQ(MessageBox::History()[0].caption, "Error");
  EXPECT_TRUE(MessageBox::History()[1].text.startsWith("このパスは設定ファイルに保存できないため"));
  platform::SetNextOpenFileResultForTesting(QString::fromStdU16String(paths_[2]));  // already registered
  Command(ids::kRegisterDictionary);
  EXPECT_EQ(MessageBox::History().size(), 2u);
  EXPECT_EQ(view_->dictionarySet().count(), 3u);
  EXPECT_EQ(settings_.GetString(u"dictionary", u"dic4"), u"");

  const auto& shown = platform::OpenFileHistoryForTesting();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].title, "辞書を開く...");
  EXPECT_EQ(shown[0].filters, (QStringList{"PDIC形式 (*.dic)", "全てのファイル (*)"}));
  EXPECT_EQ(shown[0].initialDirectory, QDir::homePath());
}

TEST_F(DictionaryCommandsTest, RegisteringUpToNineThenTheItemIsGreyed) {
  Open();
  view_->dictionarySet().at(0).settings().notUsed = true;  // a choice since the last save
  for (int n = 4; n <= 9; ++n) {
    EXPECT_TRUE(view_->QueryCommandState(ids::kRegisterDictionary).enabled);
    const std::u16string path =
        testing::WriteTestDictionary(dir_, "d" + std::to_string(n) + ".dic", testing::Words({u"w"}));
    platform::SetNextOpenFileResultForTesting(QString::fromStdU16String(path));
    Command(ids::kRegisterDictionary);
    EXPECT_EQ(settings_.GetString(u"dictionary", u"dic" + std::u16string(1, u'0' + n)), path);
  }
  EXPECT_EQ(frame_.settingsChanged, 6);
  EXPECT_FALSE(view_->QueryCommandState(ids::kRegisterDictionary).enabled);
  EXPECT_FALSE(view_->dictionarySet().at(0).settings().notUsed);  // reloaded from the settings
  EXPECT_TRUE(MessageBox::History().empty());
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
  MessageBox::SetNextAnswer(MessageBox::kIdNo);
  Command(ids::kDictionarySettingsFirst + 2);
  const DictionarySettings& kept = view_->dictionarySet().at(2).settings();
  EXPECT_EQ(kept.searchMax, 5);
  EXPECT_EQ(kept.cacheSize, 2);
  EXPECT_EQ(kept.indexFont, u"Beta");
  EXPECT_EQ(kept.indexSize, 24);
  EXPECT_EQ(settings_.GetString(paths_[2], u"IndexSize"), u"24");
  EXPECT_EQ(frame_.settingsChanged, 1);
  ASSERT_EQ(MessageBox::History().size(), 1u);
  EXPECT_EQ(MessageBox::History()[0].text, "辞書ファイル [" + QString::fromStdU16String(paths_[2]) +
                                               "] を登録から削除します。\r\nよろしいですか？");
  EXPECT_EQ(MessageBox::History()[0].caption, "確認");
  EXPECT_EQ(MessageBox::History()[0].style, MessageBox::kYesNo | MessageBox::kIconQuestion);

  testing::WhenModalShows([](QWidget* dialog) {
    dialog->findChild<QCheckBox*>("removeRequest")->setChecked(true);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  MessageBox::SetNextAnswer(MessageBox::kIdYes);
  Command(ids::kDictionarySettingsFirst);
  EXPECT_EQ(view_->dictionarySet().count(), 2u);
  EXPECT_EQ(settings_.GetString(u"dictionary", u"dic1"), paths_[1]);
  EXPECT_EQ(settings_.GetString(u"dictionary", u"dic3"), u"");
  EXPECT_EQ(frame_.settingsChanged, 3);
  EXPECT_EQ(Shown(), before);  // until the next search
  Command(ids::kSearch);
  EXPECT_EQ(Shown(), (QStringList{"go", "c", ""}));
}

}  // namespace
}  // namespace tavlex
