#include "settings/ini_file.h"

#include <unistd.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>

#include "base/file.h"
#include "base/lines.h"
#include "base/utf8.h"
#include "settings/settings_location.h"

namespace tavlex {
namespace {

namespace fs = std::filesystem;

constexpr char16_t kHeaderOpen = u'[';
constexpr char16_t kHeaderClose = u']';
constexpr char16_t kCommentStart = u';';
constexpr char16_t kAssign = u'=';
constexpr std::u16string_view kBlanks = u" \t";
// What a value cannot hold anywhere: the comment's start and line breaks.
constexpr std::u16string_view kNotInValues = u";\r\n";

bool IsHeader(std::u16string_view line) { return !line.empty() && line.front() == kHeaderOpen; }

// The text strictly between "[" and the first "]", untrimmed; a header
// without "]" has no name and can never be looked up.
std::optional<std::u16string_view> SectionName(std::u16string_view header) {
  const std::size_t close = header.find(kHeaderClose, 1);
  if (close == std::u16string_view::npos) return std::nullopt;
  return header.substr(1, close - 1);
}

std::u16string_view Trim(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::u16string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

struct KeyValue {
  std::u16string_view key;
  std::u16string_view value;
};

// A body line defines a key if "=" appears before any ";" comment.
std::optional<KeyValue> ParseKeyLine(std::u16string_view line) {
  line = line.substr(0, line.find(kCommentStart));
  const std::size_t assign = line.find(kAssign);
  if (assign == std::u16string_view::npos) return std::nullopt;
  return KeyValue{Trim(line.substr(0, assign)), Trim(line.substr(assign + 1))};
}

// Optional sign, then digits up to the first non-digit, as atoi would, but
// clamped instead of overflowing.
int32_t ParseLeadingInt(std::u16string_view text) {
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  const bool negative = !text.empty() && text.front() == u'-';
  if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) text.remove_prefix(1);
  const int64_t limit = negative ? -kMin : kMax;
  int64_t magnitude = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') break;
    magnitude = std::min(limit, magnitude * 10 + (c - u'0'));
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

// A line break inside a set value would split it into lines that read back
// as something else, possibly a new section header.
std::u16string SingleLine(std::u16string text) {
  for (char16_t& c : text) {
    if (c == u'\n' || c == u'\r') c = u' ';
  }
  return text;
}

}  // namespace

IniFile::IniFile() : write_(::write) {}

bool IniFile::CanHoldValue(std::u16string_view value) {
  if (value.empty()) return true;
  if (kBlanks.find(value.front()) != kBlanks.npos || kBlanks.find(value.back()) != kBlanks.npos) return false;
  return value.find_first_of(kNotInValues) == std::u16string_view::npos;
}

IniFile::~IniFile() { Save(); }

void IniFile::Load(const std::u16string& fileName) {
  LoadPath(SettingsFilePath(fileName, CurrentSettingsPlaces()));
}

void IniFile::LoadPath(const fs::path& path) {
  path_ = path;
  preamble_.clear();
  sections_.clear();

  // A directory, FIFO, device or unreadable file loads as an empty image.
  const std::string bytes = ReadRegularFile(path).bytes;
  for (const std::string_view text : SplitLines(SkipUtf8Bom(bytes))) {
    std::u16string line = Utf8ToUtf16(text);
    if (IsHeader(line)) {
      sections_.push_back({std::move(line), {}});
    } else if (sections_.empty()) {
      preamble_.push_back(std::move(line));
    } else {
      sections_.back().body.push_back(std::move(line));
    }
  }
  modified_ = false;
}

void IniFile::Save() {
  if (!modified_) return;
  if (!path_.empty()) {
    // The config folder of an installed program may not exist yet. When it
    // cannot be made, the write below fails and the settings are lost.
    std::error_code ignored;
    fs::create_directories(path_.parent_path(), ignored);
    (void)ReplaceFileContents(path_, Serialize(), write_);
  }
  modified_ = false;
}

std::string IniFile::Serialize() const {
  std::string out;
  const auto append = [&out](const std::u16string& line) {
    out += Utf16ToUtf8(line);
    out += '\n';
  };
  for (const std::u16string& line : preamble_) append(line);
  for (const Section& section : sections_) {
    append(section.header);
    for (const std::u16string& line : section.body) append(line);
  }
  return out;
}

std::size_t IniFile::FindSection(const std::u16string& name) const {
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (SectionName(sections_[i].header) == std::u16string_view(name)) return i;
  }
  return sections_.size();
}

std::u16string IniFile::GetString(const std::u16string& section, const std::u16string& key) const {
  const std::size_t index = FindSection(section);
  if (index == sections_.size()) return {};
  for (const std::u16string& line : sections_[index].body) {
    const auto parsed = ParseKeyLine(line);
    if (parsed && parsed->key == key) return std::u16string(parsed->value);
  }
  return {};
}

int32_t IniFile::GetInt(const std::u16string& section, const std::u16string& key,
                        int32_t defaultValue) const {
  // Values are trimmed of spaces and tabs, so the number starts right at
  // the front; any other leading character means "no digits", i.e. 0.
  const std::u16string value = GetString(section, key);
  return value.empty() ? defaultValue : ParseLeadingInt(value);
}

bool IniFile::SetString(const std::u16string& section, const std::u16string& key,
                        const std::u16string& value) {
  modified_ = true;
  const std::u16string name = SingleLine(section);
  const std::u16string keyText = SingleLine(key);
  const std::size_t index = FindSection(name);
  if (index == sections_.size()) sections_.push_back({kHeaderOpen + name + kHeaderClose, {}});

  std::vector<std::u16string>& body = sections_[index].body;
  std::u16string newLine = keyText + kAssign + SingleLine(value);
  for (std::u16string& line : body) {
    const auto parsed = ParseKeyLine(line);
    if (parsed && parsed->key == keyText) {
      line = std::move(newLine);
      return true;
    }
  }
  body.push_back(std::move(newLine));
  return true;
}

bool IniFile::SetInt(const std::u16string& section, const std::u16string& key, int32_t value) {
  const std::string digits = std::to_string(value);
  return SetString(section, key, std::u16string(digits.begin(), digits.end()));
}

}  // namespace tavlex
