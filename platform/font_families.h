// Font enumeration: the face names of the installed fonts, each once, in the
// platform's order. Tests put a fixed list in place of the system's fonts.
#pragma once

#include <QStringList>
#include <optional>

namespace tavlex::platform {

QStringList InstalledFontFamilies();

// Tests: faces to report instead of the system's (nullopt: the system's again).
void SetInstalledFontFamiliesForTesting(std::optional<QStringList> families);

}  // namespace tavlex::platform
