// The fallback that makes kanji look Japanese. Chinese and Japanese share
// code points for most kanji but draw several of them differently; when the
// UI font has no kanji, the desktop's fallback may pick a Chinese font. Naming
// Japanese fonts right after the UI font makes Qt look there first.
#pragma once

#include <QFont>

namespace tavlex {

// font with its first family kept in front, then the Japanese families, then
// any other families it already had. When the first family is an alias such as
// "Sans Serif", the installed family the desktop resolves it to follows it:
// Qt skips an alias in a family list, which would let the Japanese fonts draw
// Latin text too. Applying it twice changes nothing.
QFont JapaneseFallback(QFont font);

}  // namespace tavlex
