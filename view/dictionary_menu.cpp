#include "view/dictionary_menu.h"

#include <QMenu>

#include "engine/dictionary_name.h"
#include "platform/qt_text.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"

namespace tavlex {
namespace {

// The item at index of menu, when it opens a submenu.
QMenu* SubmenuAt(QMenu* menu, qsizetype index) {
  if (!menu || menu->actions().size() <= index) return nullptr;
  return menu->actions().at(index)->menu();
}

void AddCommand(QMenu* menu, const QString& text, int command) { menu->addAction(text)->setData(command); }

QString ItemText(const Dictionary& dictionary) { return MenuItemText(DictionaryMenuName(dictionary)); }

}  // namespace

QString DictionaryMenuName(const Dictionary& dictionary) { return ToQString(DictionaryName(dictionary)); }

QString MenuItemText(QString name) {
  name.replace(QLatin1Char('&'), QStringLiteral("&&"));
  name.replace(QLatin1Char('\t'), QLatin1Char(' '));
  return name;
}

void FillDictionaryMenu(const DictionarySet& set, int which, QMenu* menu) {
  const int count = static_cast<int>(set.count());
  if (which == kSettingsMenu) {
    // "メニュー" → "ツール" (its second item) → "辞書設定" (the second item of that).
    QMenu* settings = SubmenuAt(SubmenuAt(menu, 1), 1);
    if (!settings) return;
    settings->clear();
    for (int i = 0; i < count; ++i) {
      AddCommand(settings, ItemText(set.at(i)), ids::kDictionarySettingsFirst + i);
    }
  } else if (which == kChoiceMenu && menu) {
    menu->clear();
    for (int i = 0; i < count; ++i) {
      if (!set.at(i).settings().irregular) {
        AddCommand(menu, ItemText(set.at(i)), ids::kDictionaryChoiceFirst + i);
      }
    }
    menu->addSeparator();
    AddCommand(menu, LoadString(ids::kAllDictionaries), ids::kDictionaryChoiceFirst + count);
  }
}

}  // namespace tavlex
