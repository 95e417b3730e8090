// The application as a user meets it: the about box, the options dialog
// taking effect at once, and the settings saved once however the window closes.
#include "app/viewer_app.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <fstream>
#include <functional>
#include <memory>
#include <tuple>

#include "app/main_frame.h"
#include "app/menu_bar.h"
#include "platform/message_box.h"
#include "resources/resource_ids.h"
#include "settings/ini_file.h"
#include "tests/support/modal.h"
#include "tests/support/platform_fakes.h"
#include "tests/support/qt_printers.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_dictionaries.h"
#include "view/lookup_view.h"

namespace tavlex {
namespace {

using platform::MessageBox;

class ViewerAppTest : public ::testing::Test {
 protected:
  void Start(const std::string& ini = "[dictionary]\n") {
    std::ofstream(dir_.path() / "tavlex.ini") << ini;
    app_ = std::make_unique<CViewerApp>();
    app_->InitialiseWith(dir_.path() / "tavlex.ini");
    app_->frame()->view()->OpenDictionaries();  // as the window's first paint would
    app_->settings().SetWriteFunctionForTesting([this](int fd, const void* data, std::size_t size) {
      ++writes_;
      return ::write(fd, data, size);
    });
    QApplication::processEvents();
  }

  // Posts command to the view, as a menu item does, and runs whileModal
  // inside the modal dialog it opens.
  void RunModal(int command, const std::function<void(QWidget*)>& whileModal) {
    bool ran = false;
    // A timer, not a posted call: it fires inside the dialog's own loop.
    QTimer::singleShot(1, [&] {
      ran = true;
      whileModal(QApplication::activeModalWidget());
    });
    platform::PostCommand(app_->frame()->view(), command);
    QApplication::sendPostedEvents();
    EXPECT_TRUE(ran);
  }

  static void Click(QWidget* dialog, const char* button) {
    dialog->findChild<QPushButton*>(QString::fromUtf8(button))->click();
  }

  ::tavlex::testing::TempDir dir_;
  std::unique_ptr<CViewerApp> app_;
  int writes_ = 0;
};

TEST_F(ViewerAppTest, TheAboutBoxShowsTheIconAndTheVersion) {
  Start();
  RunModal(ids::kAppAbout, [](QWidget* dialog) {
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "バージョン情報 Tavlex");
    EXPECT_EQ(dialog->findChild<QLabel*>("versionLine")->text(), "Tavlex version 0.7.4");
    EXPECT_FALSE(dialog->findChild<QLabel*>("icon")->pixmap().isNull());
    Click(dialog, "button1");
  });
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ViewerAppTest, OptionsAreCheckedThenTakeEffectAtOnce) {
  ::tavlex::testing::FakeMessageBoxes boxes;
  Start("[dictionary]\nincresearch=1\ndelay=300\nconjudelay=0\n");
  const QMenuBar* before = app_->frame()->menuBar();
  RunModal(ids::kOptions, [&boxes](QWidget* dialog) {
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "設定");
    auto* delay = dialog->findChild<QLineEdit*>("delay");
    EXPECT_EQ(delay->text(), "300");
    EXPECT_TRUE(dialog->findChild<QCheckBox*>("incrementalSearch")->isChecked());

    delay->setText("10000");
    boxes.SetNextAnswer(MessageBox::kIdOk);
    Click(dialog, "button1");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(boxes.shown().back().text, "Please enter an integer between 0 and 9999.");

    delay->setText("0");
    dialog->findChild<QLineEdit*>("conjudelay")->setText("500");
    dialog->findChild<QCheckBox*>("incrementalSearch")->setChecked(false);
    dialog->findChild<QCheckBox*>("menuTenkey")->setChecked(true);
    Click(dialog, "button1");
  });
  const ViewerOptions& options = app_->frame()->view()->options();
  EXPECT_FALSE(options.incresearch);
  EXPECT_EQ(options.delay, 0);
  EXPECT_EQ(options.conjudelay, 500);
  EXPECT_EQ(app_->frame()->view()->MenuTenkey(), 1);
  EXPECT_EQ(app_->settings().GetInt(u"dictionary", u"incresearch", -1), 0);
  EXPECT_EQ(app_->settings().GetInt(u"dictionary", u"conjudelay", -1), 500);
  EXPECT_EQ(app_->settings().GetInt(u"dictionary", u"MenuTenkey", -1), 1);
  // The frame rebuilt its menus on the view's message.
  QApplication::sendPostedEvents();
  EXPECT_NE(app_->frame()->menuBar(), before);

  // Cancel changes nothing.
  RunModal(ids::kOptions, [](QWidget* dialog) {
    dialog->findChild<QLineEdit*>("conjudelay")->setText("9");
    Click(dialog, "button2");
  });
  EXPECT_EQ(app_->frame()->view()->options().conjudelay, 500);
}

// The dialog's settings-changed message arrives while the removal question
// is up; the menus are rebuilt once it has been answered.
TEST_F(ViewerAppTest, MenusCatchUpWithADialogConfirmedBeforeTheRemovalQuestion) {
  const std::string english =
      std::filesystem::path(testing::WriteTestDictionary(dir_, "english.dic", testing::Words({u"go"})))
          .string();
  const std::string other =
      std::filesystem::path(testing::WriteTestDictionary(dir_, "other.dic", testing::Words({u"go"})))
          .string();
  Start("[dictionary]\ndic1=" + english + "\ndic2=" + other + "\n");
  const auto dictionaryMenu = [this] {
    QStringList texts;
    for (const QAction* item : ButtonPopup(app_->frame()->menuBar(), kDictionaryMenuButton)->actions())
      texts << item->text();
    return texts;
  };
  ASSERT_EQ(dictionaryMenu().first(), "english.dic(&A)");

  RunModal(ids::kDictionarySettingsFirst, [](QWidget* dialog) {
    dialog->findChild<QLineEdit*>("dicName")->setText("英和");
    dialog->findChild<QCheckBox*>("irregular")->setChecked(true);
    dialog->findChild<QCheckBox*>("removeRequest")->setChecked(true);
    ::tavlex::testing::WhenModalShows([](QWidget* question) {
      QApplication::sendPostedEvents();  // the settings-changed message, handled behind the question
      static_cast<QMessageBox*>(question)->button(QMessageBox::No)->click();
    });
    Click(dialog, "button1");
  });
  QApplication::sendPostedEvents();
  // The irregular dictionary has left the 辞書 menu; choosing what is listed keeps the other in use.
  EXPECT_EQ(dictionaryMenu(), (QStringList{"other.dic(&A)", "", "全ての辞書(&L)"}));
  EXPECT_EQ(app_->frame()->view()->dictionarySet().count(), 2u);
}

// The file on disk after each command is what a kill right after it leaves
// (shutdown_test kills a real viewer so).
TEST_F(ViewerAppTest, EachCommandWritesTheSettingsFileAsItEnds) {
  std::vector<std::u16string> paths;
  for (const char* name : {"a.dic", "b.dic", "c.dic"}) {
    paths.push_back(testing::WriteTestDictionary(dir_, name, testing::Words({u"go"})));
  }
  const auto& [a, b, c] = std::tie(paths[0], paths[1], paths[2]);
  Start("[dictionary]\ndic1=" + std::filesystem::path(a).string() +
        "\ndic2=" + std::filesystem::path(b).string() + "\n");
  ::tavlex::testing::FakeOpenFileDialog files;
  files.SetNextResult(QString::fromStdU16String(c));
  const auto confirm = [](const char* box, const char* name = nullptr) {
    return [=](QWidget* dialog) {
      if (box) dialog->findChild<QCheckBox*>(box)->setChecked(true);
      if (name) dialog->findChild<QLineEdit*>("dicName")->setText(name);
      Click(dialog, "button1");
    };
  };
  struct Case {
    int command;
    std::function<void(QWidget*)> inDialog;
    std::u16string section, key, value;
  };
  const Case cases[] = {
      {ids::kRegisterDictionary, nullptr, u"dictionary", u"dic3", c},
      {ids::kDictionaryChoiceFirst + 1, nullptr, a, u"notuse", u"1"},
      {ids::kOptions, confirm("menuTenkey"), u"dictionary", u"MenuTenkey", u"1"},
      {ids::kDictionarySettingsFirst, confirm(nullptr, "Renamed"), a, u"DicName", u"Renamed"},
      {ids::kDictionarySettingsFirst, confirm("removeRequest"), u"dictionary", u"dic1", b},
      {ids::kPopupLookups, nullptr, u"lookup", u"popup", u"1"},
  };
  ::tavlex::testing::FakeMessageBoxes boxes;
  boxes.SetNextAnswer(MessageBox::kIdYes);  // the removal question
  for (const Case& k : cases) {
    if (k.inDialog) {
      RunModal(k.command, k.inDialog);
    } else {
      platform::PostCommand(app_->frame()->view(), k.command);
      QApplication::sendPostedEvents();
    }
    IniFile onDisk;
    onDisk.LoadPath(dir_.path() / "tavlex.ini");
    EXPECT_EQ(onDisk.GetString(k.section, k.key), k.value) << k.command;
  }
}

TEST_F(ViewerAppTest, TheSettingsAreSavedOnceHoweverTheWindowCloses) {
  for (const bool byExitCommand : {true, false}) {
    writes_ = 0;
    Start();
    app_->settings().SetInt(u"dictionary", u"delay", 100);
    if (byExitCommand) {
      platform::PostCommand(app_->frame()->view(), ids::kExit);
      QApplication::sendPostedEvents();
      QApplication::sendPostedEvents();
    } else {
      app_->frame()->close();
    }
    EXPECT_FALSE(app_->frame()->isVisible());
    EXPECT_EQ(writes_, 0);
    app_.reset();
    EXPECT_EQ(writes_, 1) << (byExitCommand ? "exit command" : "window closed");
  }
}

}  // namespace
}  // namespace tavlex
