// The fallback that makes kanji look Japanese. Chinese and Japanese share
// code points for most kanji but draw several of them differently; when the
// UI font has no kanji, the desktop's fallback may pick a Chinese font. Naming
// Japanese fonts right after the UI font makes Qt look there first.
#pragma once

#include <QFont>

namespace tavlex {

// font with its first family kept in front, then the Japanese families, then
// any other families it already had. Applying it twice changes nothing.
QFont JapaneseFallback(QFont font);

}  // namespace tavlex
