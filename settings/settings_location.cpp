#include "settings/settings_location.h"

#include <unistd.h>

#include <system_error>

#include "base/desktop_folders.h"
#include "base/utf8.h"

namespace tavlex {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSelfExe = "/proc/self/exe";
constexpr const char* kSamplesFolder = "samples";

bool Exists(const fs::path& path) {
  std::error_code error;
  return fs::exists(path, error);
}

}  // namespace

SettingsPlaces CurrentSettingsPlaces() {
  SettingsPlaces places;
  std::error_code error;
  const fs::path exe = fs::read_symlink(kSelfExe, error);
  if (!error) places.executableDirectory = exe.parent_path();
  places.configFolder = UserDesktopFolders().config;
  return places;
}

std::optional<fs::path> InstalledDataFolder(const fs::path& executableDirectory) {
  if (executableDirectory.empty()) return std::nullopt;
  const fs::path data = (executableDirectory / TAVLEX_DATA_FROM_BIN).lexically_normal();
  std::error_code error;
  if (!fs::is_directory(data, error)) return std::nullopt;
  return data;
}

std::optional<fs::path> InstalledSamplesFolder() {
  const std::optional<fs::path> data = InstalledDataFolder(CurrentSettingsPlaces().executableDirectory);
  if (!data) return std::nullopt;
  std::error_code error;
  if (!fs::is_directory(*data / kSamplesFolder, error)) return std::nullopt;
  return *data / kSamplesFolder;
}

fs::path SettingsFilePath(const std::u16string& fileName, const SettingsPlaces& places) {
  const fs::path name = Utf16ToUtf8(fileName);
  const fs::path beside = places.executableDirectory / name;
  if (Exists(beside)) return beside;
  const fs::path& folder = places.executableDirectory;
  const bool writable = ::access(folder.empty() ? "." : folder.c_str(), W_OK) == 0;
  if (!places.configFolder.empty() && (!writable || InstalledDataFolder(folder)))
    return places.configFolder / name;
  return beside;
}

}  // namespace tavlex
