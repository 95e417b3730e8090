#include "view/keeping_message.h"

#include "resources/resource_ids.h"
#include "resources/string_table.h"

namespace tavlex {

QString KeepingMessage(const wordbook::Change& change, const QString& headword) {
  switch (change.outcome) {
    case wordbook::Change::kDone:
      return LoadString(ids::kEntryKept).arg(headword);
    case wordbook::Change::kAlreadyKept:
      return LoadString(ids::kEntryAlreadyKept).arg(headword);
    default:
      return LoadString(ids::kEntryNotKept).arg(QString::fromStdString(change.error));
  }
}

}  // namespace tavlex
