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
    case ids::kPopupTitle:
      return QStringLiteral("Tavlex Pop-up");
    case ids::kKeepInWordBook:
      return QStringLiteral("単語帳に追加");
    case ids::kPopupNeedsFocus:
      return QStringLiteral(
          "デスクトップがこのウィンドウに入力を渡さないため、選択した文字列を読めません。"
          "ここをクリックすると引きます（Esc で閉じます）。");
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
    case ids::kIndexesRemoved:
      return QStringLiteral(
          "索引を削除しました。検索 → 索引を作成 か、前方一致以外での検索で作り直されます。");
    case ids::kWordBookTitle:
      return QStringLiteral("単語帳");
    case ids::kWordBookFilterHint:
      return QStringLiteral("絞り込み (全文検索と同じ規則)");
    case ids::kWordBookSourceLabel:
      return QStringLiteral("引いた文: ");
    case ids::kWordBookKeptLabel:
      return QStringLiteral("追加: ");
    case ids::kWordBookDelete:
      return QStringLiteral("削除(&D)");
    case ids::kWordBookUndo:
      return QStringLiteral("元に戻す(&U)");
    case ids::kWordBookExportChosen:
      return QStringLiteral("選択を書き出す...(&E)");
    case ids::kWordBookExportAll:
      return QStringLiteral("すべて書き出す...(&A)");
    case ids::kWordBookSendToAnki:
      return QStringLiteral("Ankiに送る...(&K)");
    case ids::kWordBookClose:
      return QStringLiteral("閉じる");
    case ids::kWordBookCount:
      return QStringLiteral("%1 / %2 件");
    case ids::kWordBookRemoved:
      return QStringLiteral("%1 件削除しました (元に戻す: Ctrl+Z)");
    case ids::kWordBookRestored:
      return QStringLiteral("%1 件元に戻しました");
    case ids::kWordBookNotChanged:
      return QStringLiteral("単語帳を変更できませんでした: %1");
    case ids::kWordBookExportTitle:
      return QStringLiteral("単語帳を書き出す");
    case ids::kWordBookExportFilter:
      return QStringLiteral("Anki テキスト(*.txt)|*.txt|CSV(*.csv)|*.csv|JSON Lines(*.jsonl)|*.jsonl||");
    case ids::kWordBookExported:
      return QStringLiteral("%1 件を %2 に書き出しました");
    case ids::kWordBookNotExported:
      return QStringLiteral("%1 に書き出せませんでした: %2");
    case ids::kWordBookNoFolder:
      return QStringLiteral("単語帳の置き場所がありません。HOME か XDG_DATA_HOME を設定してください。");
    case ids::kWordBookCannotOpen:
      return QStringLiteral("単語帳を開けません: %1");
    case ids::kWordBookNotWritable:
      return QStringLiteral("単語帳のファイルに書き込めないため、読み取り専用で開いています: %1");
    case ids::kWordBookNewerVersion:
      return QStringLiteral(
          "新しい版の Tavlex "
          "が作った単語帳のため、読み取り専用で開いています。ファイルはそのまま残してあります: %1");
    case ids::kWordBookDamaged:
      return QStringLiteral(
          "単語帳のファイルが壊れているため、読み取り専用で開いています。ファイルはそのまま残してあります: "
          "%1");
    case ids::kWordBookForeign:
      return QStringLiteral("単語帳ではないファイルのため、使いません。ファイルはそのまま残してあります: %1");
    case ids::kWordBookBusy:
      return QStringLiteral("単語帳を他のプログラムが使っています: %1");
    case ids::kAnkiTitle:
      return QStringLiteral("Ankiに送る");
    case ids::kAnkiDeck:
      return QStringLiteral("デッキ(&D):");
    case ids::kAnkiNoteType:
      return QStringLiteral("ノートタイプ(&N):");
    case ids::kAnkiSend:
      return QStringLiteral("送る(&S)");
    case ids::kAnkiAsking:
      return QStringLiteral("Anki に問い合わせています...");
    case ids::kAnkiReady:
      return QStringLiteral("%1 件をノートとして送ります。各フィールドに入れる項目を選んでください。");
    case ids::kAnkiSending:
      return QStringLiteral("送っています...");
    case ids::kAnkiSent:
      return QStringLiteral(
          "Anki に %1 件追加しました。重複 (デッキにすでにあるもの) %2 件、追加できなかったもの %3 件");
    case ids::kAnkiNotRunning:
      return QStringLiteral(
          "Anki が起動していません (127.0.0.1:%1 に応答がありません)。"
          "AnkiConnect アドオンを入れた Anki を起動してから、もう一度開いてください。");
    case ids::kAnkiFailed:
      return QStringLiteral("Anki に送れませんでした: %1");
    case ids::kAnkiFieldNone:
      return QStringLiteral("(空)");
    case ids::kAnkiFieldHeadword:
      return QStringLiteral("見出し語");
    case ids::kAnkiFieldTranslation:
      return QStringLiteral("訳語");
    case ids::kAnkiFieldPronunciation:
      return QStringLiteral("発音記号");
    case ids::kAnkiFieldExample:
      return QStringLiteral("用例");
    case ids::kAnkiFieldSource:
      return QStringLiteral("引いた文");
    case ids::kAnkiFieldDictionary:
      return QStringLiteral("辞書名");
    default:
      return {};
  }
}

}  // namespace tavlex
