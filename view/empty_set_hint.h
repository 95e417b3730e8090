// What the result display shows while no dictionary is registered (a new
// user's first run): how to register one, and where the sample dictionaries
// were installed.
#pragma once

#include <QStringList>
#include <filesystem>
#include <optional>

namespace tavlex {

// One paragraph per line; the folder's line only when there is a folder.
QStringList EmptySetHint(const std::optional<std::filesystem::path>& samplesFolder);

}  // namespace tavlex
