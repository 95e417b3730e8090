// The settings file: load any bytes, set keys, save, load again. What was set
// must read back, and every line nobody set must come back as it was read.
// The input's first bytes drive the sets; the rest is the file.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/utf8.h"
#include "settings/ini_file.h"

namespace {

namespace fs = std::filesystem;

// What a name may hold and still be found again: no "]" in a section, no
// "=", ";" or "[" in a key, no line breaks. Values may hold anything but ";".
constexpr std::u16string_view kNameUnits = u"abcZ09_-./ \tあé";
constexpr std::u16string_view kValueUnits = u"abcZ09_-./ \tあé=[]\r\n";

std::u16string Text(FuzzedDataProvider& input, std::u16string_view units) {
  std::u16string text;
  for (size_t n = input.ConsumeIntegralInRange<size_t>(0, 8); n > 0; --n) {
    text += units[input.ConsumeIntegralInRange<size_t>(0, units.size() - 1)];
  }
  if (input.ConsumeBool()) text += u"\U0001F600";  // a surrogate pair
  return text;
}

std::u16string Trim(std::u16string_view text) {
  const size_t first = text.find_first_not_of(u" \t");
  if (first == std::u16string_view::npos) return {};
  return std::u16string(text.substr(first, text.find_last_not_of(u" \t") - first + 1));
}

std::u16string OneLine(std::u16string text) {
  for (char16_t& c : text) {
    if (c == u'\r' || c == u'\n') c = u' ';
  }
  return text;
}

// The key a line defines, if any: "=" before any ";", trimmed.
std::optional<std::string> KeyOf(std::string_view line) {
  line = line.substr(0, line.find(';'));
  const size_t assign = line.find('=');
  if (assign == std::string_view::npos) return std::nullopt;
  return tavlex::Utf16ToUtf8(Trim(tavlex::Utf8ToUtf16(line.substr(0, assign))));
}

std::vector<std::string> LinesOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A scratch folder on a memory file system when there is one, removed at exit.
class WorkFolder {
 public:
  WorkFolder() {
    std::string dir =
        (fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()) / "tavlex-fuzz-XXXXXX";
    if (!::mkdtemp(dir.data())) std::abort();
    folder_ = dir;
  }
  ~WorkFolder() { fs::remove_all(folder_); }
  fs::path File() const { return folder_ / "tavlex.ini"; }

 private:
  fs::path folder_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<std::tuple<std::u16string, std::u16string, std::u16string>> sets;
  for (size_t n = input.ConsumeIntegralInRange<size_t>(0, 12); n > 0; --n) {
    std::u16string section = Text(input, kNameUnits);
    std::u16string key = Trim(Text(input, kNameUnits));
    std::u16string value = Text(input, kValueUnits);
    sets.emplace_back(std::move(section), key.empty() ? u"k" : key, std::move(value));
  }
  static const WorkFolder folder;
  const fs::path path = folder.File();
  std::ofstream(path, std::ios::binary | std::ios::trunc) << input.ConsumeRemainingBytesAsString();

  // The file as read: loaded, and saved with one set that appends at the end.
  {
    tavlex::IniFile ini;
    ini.LoadPath(path);
    ini.SetString(u"fuzz\x01", u"anchor", u"1");
  }
  const std::vector<std::string> asRead = LinesOf(path);

  std::map<std::pair<std::u16string, std::u16string>, std::u16string> expected;
  std::set<std::string> setLines, setKeys;
  {
    tavlex::IniFile ini;
    ini.LoadPath(path);
    for (const auto& [section, key, value] : sets) {
      ini.SetString(section, key, value);
      expected[{section, key}] = Trim(OneLine(value));
      setLines.insert(tavlex::Utf16ToUtf8(key + u"=" + OneLine(value)));
      setLines.insert(tavlex::Utf16ToUtf8(u"[" + section + u"]"));
      setKeys.insert(tavlex::Utf16ToUtf8(key));
    }
    ini.Save();
  }

  tavlex::IniFile reloaded;
  reloaded.LoadPath(path);
  for (const auto& [name, value] : expected) {
    if (reloaded.GetString(name.first, name.second) != value) __builtin_trap();
  }

  // Walk both versions: a line is the same, a set line replacing a line that
  // defined a set key, or a set line (or new section header) added.
  const std::vector<std::string> saved = LinesOf(path);
  size_t i = 0;
  for (const std::string& line : saved) {
    if (i < asRead.size() && asRead[i] == line) {
      ++i;
    } else if (setLines.count(line) == 0) {
      __builtin_trap();  // a line nobody set has changed
    } else if (i < asRead.size() && setKeys.count(KeyOf(asRead[i]).value_or("\x01"))) {
      ++i;
    }
  }
  if (i != asRead.size()) __builtin_trap();  // a line nobody set is gone
  return 0;
}
