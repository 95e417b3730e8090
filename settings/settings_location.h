// Where the program finds its settings file and its installed data.
//
// The settings file lives beside the executable when one is already there, or
// when that folder is writable and is not an installed program's folder (the
// build tree, a copy carried on a USB stick). An installed program (one whose
// data folder sits beside its bin folder) keeps it in
// $XDG_CONFIG_HOME/tavlex/, or ~/.config/tavlex/ when the variable is unset:
// /usr/bin is no place for a user's settings, even for root, who could write
// there.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tavlex {

// What the choice depends on, gathered by CurrentSettingsPlaces().
struct SettingsPlaces {
  std::filesystem::path executableDirectory;  // empty when it cannot be found
  std::filesystem::path configFolder;         // the user's (base/desktop_folders.h); empty when none
};

SettingsPlaces CurrentSettingsPlaces();

// The file fileName for the places given. Without a config folder the executable's folder is
// kept even when it is not writable: the settings are then lost, silently.
std::filesystem::path SettingsFilePath(const std::u16string& fileName, const SettingsPlaces& places);

// The data folder of an installed program (bin/../share/tavlex), or none
// when the executable in that folder was not installed.
std::optional<std::filesystem::path> InstalledDataFolder(const std::filesystem::path& executableDirectory);

// The sample dictionaries installed with the running program, if it was.
std::optional<std::filesystem::path> InstalledSamplesFolder();

}  // namespace tavlex
