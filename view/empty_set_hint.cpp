#include "view/empty_set_hint.h"

#include "resources/resource_ids.h"
#include "resources/string_table.h"

namespace tavlex {

QStringList EmptySetHint(const std::optional<std::filesystem::path>& samplesFolder) {
  QStringList lines{LoadString(ids::kNoDictionaryRegistered) + QStringLiteral("。"),
                    QStringLiteral("メニューの「ツール」→「辞書登録...」で辞書を登録してください。")};
  if (samplesFolder) {
    lines << QStringLiteral("サンプル辞書: %1").arg(QString::fromStdString(samplesFolder->string()));
  }
  return lines;
}

}  // namespace tavlex
