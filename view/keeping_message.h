// The line a result display's owner shows after keeping an entry: kept,
// kept already, or why it could not be kept. The window shows it in its
// status bar, the pop-up in its hint line.
#pragma once

#include <QString>

#include "wordbook/word_book.h"

namespace tavlex {

QString KeepingMessage(const wordbook::Change& change, const QString& headword);

}  // namespace tavlex
