// The menu bar of the real frame, walked as a user walks it: the ツール items
// carry their command ids, the dictionary menus list the dictionaries by
// their place, and every kind of item reaches its command through the frame,
// its state and check mark shown when its menu opens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "app/main_frame.h"
#include "app/viewer_app.h"
#include "resources/resource_ids.h"
#include "tests/support/fake_timers.h"
#include "tests/support/modal.h"
#include "tests/support/platform_fakes.h"
#include "tests/support/qt_printers.h"
#include "tests/support/test_dictionaries.h"
#include "tests/support/view_fixture.h"
#include "ui/editor.h"
#include "ui/index_edit.h"
#include "view/lookup_view.h"

namespace tavlex {
namespace {

using testing::Settle;
using Items = std::vector<std::pair<int, QString>>;

class MenuCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string first = std::filesystem::path(dir_.File("a.dic")).string();
    testing::WriteThreeRegistered(dir_, "[" + first + "]\nDicName=R&D 英和\n");
    QApplication::clipboard()->clear();
    app_.InitialiseWith(dir_.path() / "tavlex.ini");
    view()->OpenDictionaries();  // as the window's first paint would
    QApplication::setActiveWindow(frame());
    Settle();
  }

  CMainFrame* frame() const { return app_.frame(); }
  CLookupView* view() const { return frame()->view(); }
  // A menu of the bar as it stands now (the frame rebuilds the bar): "menu0.1" is "ツール".
  QMenu* Menu(const char* name) const { return frame()->menuBar()->findChild<QMenu*>(QLatin1String(name)); }
  // The ids and texts of a menu's items, without the keypad labels; a separator shows as 0 and "-".
  static Items Listed(const QMenu* menu) {
    Items items;
    for (const QAction* item : menu->actions()) {
      const QString text = item->text();
      items.emplace_back(item->data().toInt(),
                         item->isSeparator() ? QStringLiteral("-") : text.left(text.indexOf(u'(')));
    }
    return items;
  }
  // The item with this command, as the menu shows it when it opens.
  QAction* Opened(const char* menu, int command) const {
    QMenu* popup = Menu(menu);
    popup->popup(QPoint());
    popup->hide();
    for (QAction* item : popup->actions()) {
      if (item->data().toInt() == command) return item;
    }
    ADD_FAILURE() << menu << " has no item " << command;
    return nullptr;
  }
  // The items of a menu as it shows them when it opens.
  Items OpenedItems(const char* menu) const {
    Menu(menu)->popup(QPoint());
    Menu(menu)->hide();
    return Listed(Menu(menu));
  }
  // The texts a menu shows when it opens, with their labels, and whether each can be chosen.
  std::vector<std::pair<QString, bool>> OpenedTexts(const char* menu) const {
    Menu(menu)->popup(QPoint());
    Menu(menu)->hide();
    std::vector<std::pair<QString, bool>> texts;
    for (const QAction* item : Menu(menu)->actions()) texts.emplace_back(item->text(), item->isEnabled());
    return texts;
  }
  // Chooses the item, as a click on it does.
  void Choose(const char* menu, int command) {
    if (QAction* item = Opened(menu, command)) item->trigger();
    Settle();
  }
  QStringList Shown() const { return testing::Shown(*view()); }

  testing::TempDir dir_;
  testing::FakeTimers timers_;
  testing::FakeMessageBoxes boxes_;
  testing::FakeOpenFileDialog files_;
  testing::FakeFontFamilies fonts_{{"Alpha"}};
  CViewerApp app_;
};

TEST_F(MenuCommandsTest, TheToolsItemsCarryTheirCommandIdsAndTheDictionariesTheirPlaces) {
  EXPECT_EQ(Listed(Menu("menu0.1")), (Items{{ids::kRegisterDictionary, "辞書登録..."},
                                            {0, "辞書設定"},
                                            {ids::kOptions, "オプション..."},
                                            {0, "-"},
                                            {ids::kWatchClipboard, "クリップボードを監視"},
                                            {ids::kPopupLookups, "ポップアップで表示"},
                                            {0, "-"},
                                            {ids::kKeepEntry, "単語帳に追加"},
                                            {ids::kWordBook, "単語帳..."},
                                            {0, "-"},
                                            {ids::kAppAbout, "バージョン情報..."}}));
  // A dictionary is listed by its display name, or else by its file name.
  EXPECT_EQ(Listed(Menu("menu0.1.1")), (Items{{20000, "R&&D 英和"}, {20001, "b.dic"}, {20002, "c.dic"}}));
  // The irregular b leaves a gap in the ids of the "辞書" menu.
  EXPECT_EQ(Listed(Menu("menu2")),
            (Items{{20200, "R&&D 英和"}, {20202, "c.dic"}, {0, "-"}, {20203, "全ての辞書"}}));
  // The "&" of a name is shown as it is; the item's key stays the letter it is labelled with.
  for (const char* menu : {"menu0.1.1", "menu2"}) {
    EXPECT_EQ(QKeySequence::mnemonic(Menu(menu)->actions().front()->text()),
              QKeySequence(Qt::ALT | Qt::Key_A))
        << menu;
  }
}

TEST_F(MenuCommandsTest, EveryKindOfItemReachesItsCommandThroughTheFrame) {
  view()->searchEdit()->setText("go");
  Settle();
  EXPECT_TRUE(Opened("menu2", 20203)->isChecked());
  Choose("menu2", 20202);
  EXPECT_EQ(Shown(), (QStringList{"go", "c", ""}));
  EXPECT_TRUE(Opened("menu2", 20202)->isChecked());
  EXPECT_FALSE(Opened("menu2", 20203)->isChecked());
  Choose("menu2", 20203);
  EXPECT_EQ(Shown(), (QStringList{"go", "a", "", "go", "c", ""}));

  // Registering until the list is full; the frame rebuilds the menus each time.
  for (int n = 4; n <= 9; ++n) {
    EXPECT_TRUE(Opened("menu0.1", ids::kRegisterDictionary)->isEnabled());
    files_.SetNextResult(QString::fromStdU16String(
        testing::WriteTestDictionary(dir_, "d" + std::to_string(n) + ".dic", testing::Words({u"w"}))));
    Choose("menu0.1", ids::kRegisterDictionary);
    EXPECT_EQ(Listed(Menu("menu0.1.1")).back(),
              (std::pair<int, QString>{20000 + n - 1, "d" + QString::number(n) + ".dic"}));
  }
  EXPECT_FALSE(Opened("menu0.1", ids::kRegisterDictionary)->isEnabled());
  EXPECT_EQ(files_.shown().size(), 6u);

  struct Dialog {
    const char* menu;
    int command;
    QString title;
  };
  for (const Dialog& d : {Dialog{"menu0.1.1", ids::kDictionarySettingsFirst + 2, "辞書設定"},
                          Dialog{"menu0.1", ids::kOptions, "設定"},
                          Dialog{"menu0.1", ids::kAppAbout, "バージョン情報 Tavlex"}}) {
    QString title;
    testing::WhenModalShows([&title](QWidget* dialog) {
      title = dialog->windowTitle();
      dialog->close();
    });
    Choose(d.menu, d.command);
    EXPECT_EQ(title, d.title);
  }

  QApplication::clipboard()->setText("went");
  view()->searchEdit()->selectAll();
  Choose("menu0.0", ids::kEditPaste);
  EXPECT_EQ(view()->searchEdit()->text(), "went");
  Choose("menu0", ids::kExit);
  EXPECT_FALSE(frame()->isVisible());
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(MenuCommandsTest, TheSearchMenuItsKeysAndItsRecentWords) {
  EXPECT_EQ(Listed(Menu("menu1")).size(), 20u);
  const QList<QAction*> items = Menu("menu1")->actions();
  // Each mode shows its key; the mnemonics stay before it.
  EXPECT_EQ(items[0]->text(), "前方一致(&P)\tCtrl+1");
  EXPECT_EQ(items[4]->text(), "全文検索(&F)\tCtrl+5");
  EXPECT_EQ(items[5]->text(), "文から検索(&L)\tCtrl+6");
  EXPECT_EQ(items[6]->text(), "前方一致と全文検索を切り替え(&W)\tCtrl+F");
  EXPECT_EQ(items[17]->text(), "前の検索語(&V)\tAlt+Left");
  EXPECT_TRUE(Opened("menu1", ids::kModePrefix)->isChecked());

  Choose("menu1", ids::kModeSuffix);
  EXPECT_TRUE(Opened("menu1", ids::kModeSuffix)->isChecked());
  EXPECT_FALSE(Opened("menu1", ids::kModePrefix)->isChecked());
  Choose("menu1", ids::kFieldExample);
  EXPECT_FALSE(Opened("menu1", ids::kFieldExample)->isChecked());
  EXPECT_TRUE(Opened("menu1", ids::kFieldTranslation)->isChecked());

  // The keys reach the view through the frame.
  QTest::keyClick(frame(), Qt::Key_F, Qt::ControlModifier);
  Settle();
  EXPECT_TRUE(Opened("menu1", ids::kModeFullText)->isChecked());
  QTest::keyClick(frame(), Qt::Key_6, Qt::ControlModifier);
  Settle();
  EXPECT_TRUE(Opened("menu1", ids::kModeScan)->isChecked());
  QTest::keyClick(frame(), Qt::Key_1, Qt::ControlModifier);
  Settle();
  EXPECT_TRUE(Opened("menu1", ids::kModePrefix)->isChecked());

  view()->searchEdit()->setText("go");
  QTest::keyClick(view()->searchEdit(), Qt::Key_Return);
  Settle();
  // A result shown long enough puts its word in without Return.
  view()->searchEdit()->setText("g");
  Settle();
  ASSERT_TRUE(timers_.Fire(view(), ids::kHistoryTimer));
  Settle();
  QTest::keyClick(frame(), Qt::Key_Left, Qt::AltModifier);
  Settle();
  EXPECT_EQ(view()->searchEdit()->text(), "go");

  // The recent words, newest first, as their menu opens: no rebuild of the bar since they came in.
  EXPECT_EQ(OpenedItems("menu1.19"),
            (Items{{ids::kHistoryWordFirst, "g"}, {ids::kHistoryWordFirst + 1, "go"}}));
  view()->searchEdit()->clear();
  Settle();
  Choose("menu1.19", ids::kHistoryWordFirst);
  EXPECT_EQ(view()->searchEdit()->text(), "g");
  EXPECT_EQ(Shown(), (QStringList{"go", "a", "", "go", "c", ""}));
}

TEST_F(MenuCommandsTest, F10OpensTheFirstMenuWhereverTheFocusIs) {
  for (QWidget* focused :
       {static_cast<QWidget*>(view()->searchEdit()), static_cast<QWidget*>(view()->resultDisplay())}) {
    focused->setFocus();
    QTest::keyClick(focused, Qt::Key_F10);
    Settle();
    EXPECT_EQ(QApplication::activePopupWidget(), Menu("menu0")) << focused->objectName().toStdString();
    if (QWidget* open = QApplication::activePopupWidget()) open->close();
    Settle();
  }
}

TEST_F(MenuCommandsTest, RecentWordsShowAsTheyWereTypedWithLettersOfTheirOwn) {
  using Texts = std::vector<std::pair<QString, bool>>;
  // The first run: the placeholder, greyed, with no letter.
  EXPECT_EQ(OpenedTexts("menu1.19"), (Texts{{"（なし）", false}}));
  for (const char* word : {"go&run", "a\tb", "&"}) {
    view()->searchEdit()->setText(QString::fromUtf8(word));
    QTest::keyClick(view()->searchEdit(), Qt::Key_Return);
    Settle();
  }
  // Each "&" shows as it is, a TAB as a space; the letters are the menu's own, newest first.
  EXPECT_EQ(OpenedTexts("menu1.19"), (Texts{{"&&(&A)", true}, {"a b(&B)", true}, {"go&&run(&C)", true}}));
  const QList<QAction*> items = Menu("menu1.19")->actions();
  EXPECT_EQ(QKeySequence::mnemonic(items[2]->text()), QKeySequence(Qt::ALT | Qt::Key_C));
  items[2]->trigger();
  Settle();
  EXPECT_EQ(view()->searchEdit()->text(), "go&run");
}

TEST_F(MenuCommandsTest, AWordOfTheHistoryComesBackInTheModeItWasSearchedIn) {
  Choose("menu1", ids::kModeFullText);
  Choose("menu1", ids::kFieldExample);  // off: the headword, the translation and the pronunciation
  view()->searchEdit()->setText("go");
  QTest::keyClick(view()->searchEdit(), Qt::Key_Return);
  Settle();
  Choose("menu1", ids::kModeSubstring);
  Choose("menu1", ids::kFieldExample);  // on again
  view()->searchEdit()->setText("o");
  QTest::keyClick(view()->searchEdit(), Qt::Key_Return);
  Settle();

  struct Step {
    Qt::Key key;
    const char* word;
    int checkedMode;
    bool example;
  };
  for (const Step& step : {Step{Qt::Key_Left, "go", ids::kModeFullText, false},
                           Step{Qt::Key_Right, "o", ids::kModeSubstring, false}}) {
    QTest::keyClick(frame(), step.key, Qt::AltModifier);
    Settle();
    EXPECT_EQ(view()->searchEdit()->text(), step.word);
    EXPECT_TRUE(Opened("menu1", step.checkedMode)->isChecked()) << step.word;
    // The fields come back with a full-text word only; the others leave them as they are.
    EXPECT_EQ(Opened("menu1", ids::kFieldExample)->isChecked(), step.example) << step.word;
  }
}

}  // namespace
}  // namespace tavlex
