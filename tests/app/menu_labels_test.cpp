// Keypad labels on menu 128 as it stands in the resources, for each device
// class, and the texts a QMenu then shows.
#include "app/menu_labels.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <memory>

#include "app/menu_bar.h"
#include "platform/device.h"
#include "resources/menus.h"
#include "resources/resource_ids.h"

namespace tavlex {
namespace {

using platform::kKeypadDevice;
using platform::kTouchScreenDevice;

QStringList Texts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* item : menu->actions())
    texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
  return texts;
}

struct Labelled {
  std::unique_ptr<QMenuBar> bar{CreateMenuBar(nullptr, MainMenu())};
  QMenu* main = ButtonPopup(bar.get(), 0);
  QMenu* dictionaries = ButtonPopup(bar.get(), kDictionaryMenuButton);
  QMenu* Sub(const char* name) const { return bar->findChild<QMenu*>(QString::fromUtf8(name)); }

  // The "辞書" menu as the view fills it: nine dictionaries, a separator, all of them.
  void FillNine() {
    dictionaries->clear();
    for (int i = 0; i < 9; ++i) dictionaries->addAction(QStringLiteral("dic%1").arg(i));
    dictionaries->addSeparator();
    dictionaries->addAction(QStringLiteral("全ての辞書\t(&L)"));
  }
  QMenu* search = ButtonPopup(bar.get(), kSearchMenuButton);
  void Label(const MenuLabelRules& rules) {
    LabelMenu(main, rules);
    LabelMenu(search, rules);
    LabelMenu(dictionaries, rules);
  }
};

TEST(LabelMenu, TenKeyOnAPortraitScreenNumbersEveryMenuFromOne) {
  Labelled menus;
  menus.FillNine();
  menus.Label({kTouchScreenDevice, true, true});
  EXPECT_EQ(Texts(menus.main), (QStringList{"編集\t(&1)", "ツール\t(&2)", "終了\t(&3)"}));
  EXPECT_EQ(Texts(menus.Sub("menu0.0")),
            (QStringList{"コピー\t(&1)", "切り取り\t(&2)", "貼り付け\t(&3)", "-", "元に戻す\t(&4)"}));
  EXPECT_EQ(Texts(menus.Sub("menu0.1")),
            (QStringList{"辞書登録...\t(&1)", "辞書設定\t(&2)", "オプション...\t(&3)", "-",
                         "クリップボードを監視\t(&4)", "ポップアップで表示\t(&5)",
                         "ショートカットキーを登録...\t(&6)", "-", "単語帳に追加\t(&7)", "単語帳...\t(&8)",
                         "-", "バージョン情報...\t(&9)"}));
  EXPECT_EQ(Texts(menus.Sub("menu0.1.1")), (QStringList{"dummy\t(&1)"}));
  const QStringList dictionaries = Texts(menus.dictionaries);
  EXPECT_EQ(dictionaries[0], "dic0\t(&1)");
  EXPECT_EQ(dictionaries[8], "dic8\t(&9)");
  EXPECT_EQ(dictionaries[9], "-");
  EXPECT_EQ(dictionaries[10], "全ての辞書\t(&10)");
  // The search menu counts past its separators: seventeen items.
  const QStringList search = Texts(menus.search);
  EXPECT_EQ(search[0], "前方一致\t(&1)");
  EXPECT_EQ(search[5], "文から検索\t(&6)");
  EXPECT_EQ(search[8], "見出し語\t(&8)");
  EXPECT_EQ(search[19], "最近の検索語\t(&17)");
}

TEST(LabelMenu, LandscapeOrTenKeyOffKeepsTheLettersAndLettersAddedItems) {
  for (const MenuLabelRules rules :
       {MenuLabelRules{kTouchScreenDevice, true, false}, MenuLabelRules{kTouchScreenDevice, false, true}}) {
    Labelled menus;
    menus.FillNine();
    menus.Label(rules);
    EXPECT_EQ(Texts(menus.main), (QStringList{"編集\t(&E)", "ツール\t(&T)", "終了\t(&X)"}));
    EXPECT_EQ(Texts(menus.Sub("menu0.1.1")), (QStringList{"dummy\t(&A)"}));
    const QStringList dictionaries = Texts(menus.dictionaries);
    EXPECT_EQ(dictionaries[0], "dic0\t(&A)");
    EXPECT_EQ(dictionaries[2], "dic2\t(&C)");
    EXPECT_EQ(dictionaries[8], "dic8\t(&I)");
    EXPECT_EQ(dictionaries[10], "全ての辞書\t(&L)");
    EXPECT_EQ(Texts(menus.search)[4], "全文検索\t(&F)");
  }
}

TEST(LabelMenu, TheKeypadClassShowsNoMnemonicAndOtherClassesChangeNothing) {
  Labelled keypad;
  keypad.Label({kKeypadDevice, true, true});
  EXPECT_EQ(Texts(keypad.main), (QStringList{"編集", "ツール", "終了"}));
  EXPECT_EQ(Texts(keypad.Sub("menu0.0"))[0], "コピー");

  Labelled other;
  other.Label({1, true, true});
  EXPECT_EQ(Texts(other.main), (QStringList{"編集\t(&E)", "ツール\t(&T)", "終了\t(&X)"}));
}

TEST(MenuBar, ResourceCommandsAndTheTextsQtShows) {
  Labelled menus;
  std::vector<int> commands;
  for (const QAction* item : menus.Sub("menu0.0")->actions()) commands.push_back(item->data().toInt());
  EXPECT_EQ(commands, (std::vector<int>{ids::kEditCopy, ids::kEditCut, ids::kEditPaste, 0, ids::kEditUndo}));
  EXPECT_EQ(menus.main->actions()[2]->data().toInt(), ids::kExit);
  EXPECT_EQ(menus.dictionaries->actions()[0]->data().toInt(), ids::kDictionaryPlaceholder);

  ShowQtMenuTexts(menus.main, MainAccelerators());
  EXPECT_EQ(Texts(menus.main), (QStringList{"編集(&E)", "ツール(&T)", "終了(&X)\tCtrl+Q"}));
  EXPECT_EQ(Texts(menus.Sub("menu0.0"))[0], "コピー(&C)\tCtrl+C");
  EXPECT_EQ(Texts(menus.Sub("menu0.1")).last(), "バージョン情報...(&A)");
}

}  // namespace
}  // namespace tavlex
