#include "settings/settings_location.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "base/utf8.h"

namespace tavlex {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSelfExe = "/proc/self/exe";
constexpr const char* kProgramFolder = "tavlex";
constexpr const char* kDefaultConfigFolder = ".config";
constexpr const char* kSamplesFolder = "samples";

std::optional<fs::path> AbsoluteVariable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return std::nullopt;
  return fs::path(value);
}

bool Exists(const fs::path& path) {
  std::error_code error;
  return fs::exists(path, error);
}

std::optional<fs::path> ConfigFolder(const SettingsPlaces& places) {
  if (places.xdgConfigHome) return *places.xdgConfigHome / kProgramFolder;
  if (places.home) return *places.home / kDefaultConfigFolder / kProgramFolder;
  return std::nullopt;
}

}  // namespace

SettingsPlaces CurrentSettingsPlaces() {
  SettingsPlaces places;
  std::error_code error;
  const fs::path exe = fs::read_symlink(kSelfExe, error);
  if (!error) places.executableDirectory = exe.parent_path();
  places.xdgConfigHome = AbsoluteVariable("XDG_CONFIG_HOME");
  places.home = AbsoluteVariable("HOME");
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
  const std::optional<fs::path> config = ConfigFolder(places);
  const fs::path& folder = places.executableDirectory;
  const bool writable = ::access(folder.empty() ? "." : folder.c_str(), W_OK) == 0;
  if (config && (!writable || InstalledDataFolder(folder))) return *config / name;
  return beside;
}

}  // namespace tavlex
