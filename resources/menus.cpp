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
                {QStringLiteral("単語帳に追加\t(&D)"), ids::kKeepEntry},
                {QStringLiteral("単語帳...\t(&B)"), ids::kWordBook},
                {},
                {QStringLiteral("バージョン情報...\t(&A)"), ids::kAppAbout},
            }},
           {QStringLiteral("終了\t(&X)"), ids::kExit},
       }},
      {QStringLiteral("検索"),
       0,
       {
           {QStringLiteral("前方一致\t(&P)"), ids::kModePrefix},
           {QStringLiteral("完全一致\t(&E)"), ids::kModeExact},
           {QStringLiteral("後方一致\t(&S)"), ids::kModeSuffix},
           {QStringLiteral("部分一致\t(&B)"), ids::kModeSubstring},
           {QStringLiteral("全文検索\t(&F)"), ids::kModeFullText},
           {QStringLiteral("文から検索\t(&L)"), ids::kModeScan},
           {QStringLiteral("前方一致と全文検索を切り替え\t(&W)"), ids::kToggleFullText},
           {},
           {QStringLiteral("見出し語\t(&H)"), ids::kFieldHeadword},
           {QStringLiteral("訳語\t(&T)"), ids::kFieldTranslation},
           {QStringLiteral("用例\t(&X)"), ids::kFieldExample},
           {QStringLiteral("発音記号\t(&O)"), ids::kFieldPronunciation},
           {QStringLiteral("かなを同一視する\t(&K)"), ids::kFoldKana},
           {},
           {QStringLiteral("索引を作成\t(&I)"), ids::kBuildIndexes},
           {QStringLiteral("索引を削除\t(&D)"), ids::kRemoveIndexes},
           {},
           {QStringLiteral("前の検索語\t(&V)"), ids::kHistoryBack},
           {QStringLiteral("次の検索語\t(&N)"), ids::kHistoryForward},
           {QStringLiteral("最近の検索語\t(&R)"), 0, {{QStringLiteral("dummy"), ids::kHistoryPlaceholder}}},
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

const std::vector<MenuItem>& ResultPopupMenu() {
  static const std::vector<MenuItem> items = {
      {QStringLiteral("コピー\tCtrl+C"), ids::kEditCopy},
      {QStringLiteral("選択した語句を引く\tEnter"), ids::kLookUpSelection},
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
      // The search modes in menu order, and the switch between the two most used.
      {Qt::CTRL | Qt::Key_1, ids::kModePrefix},
      {Qt::CTRL | Qt::Key_2, ids::kModeExact},
      {Qt::CTRL | Qt::Key_3, ids::kModeSuffix},
      {Qt::CTRL | Qt::Key_4, ids::kModeSubstring},
      {Qt::CTRL | Qt::Key_5, ids::kModeFullText},
      {Qt::CTRL | Qt::Key_6, ids::kModeScan},
      {Qt::CTRL | Qt::Key_F, ids::kToggleFullText},
      // Keeps the entry under the cursor in the word book.
      {Qt::CTRL | Qt::Key_D, ids::kKeepEntry},
      // Back and forth through the history, as in a web browser.
      {Qt::ALT | Qt::Key_Left, ids::kHistoryBack},
      {Qt::ALT | Qt::Key_Right, ids::kHistoryForward},
  };
  return table;
}

}  // namespace tavlex
