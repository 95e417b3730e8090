// Qt's own texts in the program's language: the file dialog ("Look in",
// "File name", "Cancel") and the buttons of message boxes speak Japanese, as
// the rest of the program does, whatever the user's locale.
#pragma once

namespace tavlex {

// Installs Qt's Japanese translations (Debian's qt6-translations-l10n) in the
// running application; false when they are not installed, and Qt stays English.
bool InstallQtTranslations();

}  // namespace tavlex
