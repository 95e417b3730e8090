#include "resources/menus.h"

#include "resources/resource_ids.h"

namespace tavlex {

const std::vector<MenuItem>& MainMenu() {
  static const std::vector<MenuItem> items = {
      {QStringLiteral("メニュー"),
       0,
       {
           {QStringLiteral("編集\t(&E)"),
            0,
            {
                {QStringLiteral("コピー\t(&C)"), ids::kEditCopy},
                {QStringLiteral("切り取り\t(&T)"), ids::kEditCut},
                {QStringLiteral("貼り付け\t(&P)"), ids::kEditPaste},
                {},
                {QStringLiteral("元に戻す\t(&U)"), ids::kEditUndo},
            }},
           {QStringLiteral("ツール\t(&T)"),
            0,
            {
                {QStringLiteral("辞書登録...\t(&R)"), ids::kRegisterDictionary},
                {QStringLiteral("辞書設定\t(&S)"),
                 0,
                 {{QStringLiteral("dummy"), ids::kDictionarySettingsPlaceholder}}},
                {QStringLiteral("オプション...\t(&O)"), ids::kOptions},
                {},
                {QStringLiteral("クリップボードを監視\t(&W)"), ids::kWatchClipboard},
                {QStringLiteral("ポップアップで表示\t(&P)"), ids::kPopupLookups},
                {QStringLiteral("ショートカットキーを登録...\t(&K)"), ids::kBindGlobalShortcut},
                {},
                {QStringLiteral("バージョン情報...\t(&A)"), ids::kAppAbout},
            }},
           {QStringLiteral("終了\t(&X)"), ids::kExit},
       }},
      {QStringLiteral("辞書"), 0, {{QStringLiteral("dummy"), ids::kDictionaryPlaceholder}}},
  };
  return items;
}

const std::vector<MenuItem>& EditPopupMenu() {
  static const std::vector<MenuItem> items = {
      {QStringLiteral("コピー"), ids::kEditCopy},    {QStringLiteral("切り取り"), ids::kEditCut},
      {QStringLiteral("貼り付け"), ids::kEditPaste}, {},
      {QStringLiteral("元に戻す"), ids::kEditUndo},
  };
  return items;
}

const std::vector<MenuItem>& DialogMenu() {
  static const std::vector<MenuItem> items = {
      {QStringLiteral("OK"), ids::kIdOk},
      {QStringLiteral("キャンセル"), ids::kIdCancel},
  };
  return items;
}

const std::vector<MenuItem>& VersionMenu() {
  static const std::vector<MenuItem> items = {{QStringLiteral("OK"), ids::kIdOk}};
  return items;
}

const std::vector<Accelerator>& MainAccelerators() {
  static const std::vector<Accelerator> table = {
      {Qt::CTRL | Qt::Key_N, ids::kFileNew},
      {Qt::CTRL | Qt::Key_Z, ids::kEditUndo},
      {Qt::CTRL | Qt::Key_X, ids::kEditCut},
      {Qt::CTRL | Qt::Key_C, ids::kEditCopy},
      {Qt::CTRL | Qt::Key_V, ids::kEditPaste},
      // A desktop program quits with Control+Q.
      {Qt::CTRL | Qt::Key_Q, ids::kExit},
  };
  return table;
}

}  // namespace tavlex
