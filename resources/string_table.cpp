#include "resources/string_table.h"

#include "resources/resource_ids.h"

namespace tavlex {

QString LoadString(int id) {
  switch (id) {
    case ids::kOpenDictionaryTitle:
      return QStringLiteral("辞書を開く...");
    case ids::kNotADictionary:
      return QStringLiteral("正しい辞書ではありません");
    case ids::kErrorCaption:
      return QStringLiteral("Error");
    case ids::kNoDictionaryRegistered:
      return QStringLiteral("辞書が登録されていません");
    case ids::kRemoveQuestion:
      return QStringLiteral("辞書ファイル [%s] を登録から削除します。\r\nよろしいですか？");
    case ids::kConfirmCaption:
      return QStringLiteral("確認");
    case ids::kDictionaryFileFilter:
      return QStringLiteral("PDIC形式(*.dic)|*.dic|全てのファイル(*.*)|*.*||");
    case ids::kAllDictionaries:
      return QStringLiteral("全ての辞書\t(&L)");
    case ids::kNotSet:
      return QStringLiteral("未設定");
    case ids::kPathNotStorable:
      return QStringLiteral(
          "このパスは設定ファイルに保存できないため、辞書を登録できません。\r\n"
          "パスに「]」「;」や改行を含めず、前後に空白を付けないでください。");
    case ids::kNameNotStorable:
      return QStringLiteral(
          "この辞書名は設定ファイルに保存できません。\r\n"
          "辞書名に「;」や改行を含めず、前後に空白を付けないでください。");
    case ids::kOpenInWindow:
      return QStringLiteral("ウィンドウで開く");
    case ids::kTrayOpenWindow:
      return QStringLiteral("ウィンドウを開く");
    case ids::kTrayQuit:
      return QStringLiteral("終了");
    case ids::kTrayToolTip:
      return QStringLiteral("Tavlex: クリップボードを監視しています");
    case ids::kShortcutDescription:
      return QStringLiteral("選択した語をポップアップで引く");
    case ids::kShortcutNotBound:
      return QStringLiteral("ショートカットキーを登録できませんでした。");
    case ids::kNothingFound:
      return QStringLiteral("見つかりません");
    case ids::kSettingsNotSaved:
      return QStringLiteral(
          "設定を保存できませんでした。\r\n%1: %2\r\n"
          "保存できるようになれば、次の変更か終了のときにまとめて保存されます。");
    case ids::kEntryKept:
      return QStringLiteral("単語帳に追加しました: %1");
    case ids::kEntryAlreadyKept:
      return QStringLiteral("単語帳にすでにあります: %1");
    case ids::kEntryNotKept:
      return QStringLiteral("単語帳に追加できませんでした: %1");
    case ids::kNothingToKeep:
      return QStringLiteral("単語帳に追加する項目がありません");
    default:
      return {};
  }
}

}  // namespace tavlex
