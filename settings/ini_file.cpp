#include "settings/ini_file.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>

#include "base/file.h"
#include "base/folder_lock.h"
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

// What GetString gives for a key set to value.
std::u16string ReadBack(const std::u16string& value) {
  const std::u16string line = SingleLine(value);
  return std::u16string(Trim(std::u16string_view(line).substr(0, line.find(kCommentStart))));
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
  // A directory, FIFO, device or unreadable file loads as an empty image.
  fileBytes_ = ReadRegularFile(path).bytes;
  Parse(fileBytes_);
  known_ = sections_;
  changes_.clear();
  modified_ = false;
}

void IniFile::Parse(std::string_view bytes) {
  preamble_.clear();
  sections_.clear();
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
}

bool IniFile::Save() {
  if (!std::exchange(modified_, false) || path_.empty()) return true;
  // The config folder of an installed program may not exist yet. When it
  // cannot be made, the write below fails and says why.
  std::error_code ignored;
  fs::create_directories(path_.parent_path(), ignored);
  const FolderLock lock(path_.parent_path());
  MergeFile();
  std::string bytes = Serialize();
  std::error_code error;
  if (!ReplaceFileContents(path_, bytes, write_, &error)) {
    if (saveFailed_) saveFailed_(error);
    return false;
  }
  fileBytes_ = std::move(bytes);
  changes_.clear();
  return true;
}

void IniFile::TakeUpFileChanges() {
  if (path_.empty()) return;
  const FolderLock lock(path_.parent_path());
  MergeFile();
  known_ = sections_;
}

void IniFile::MergeFile() {
  const FileContent now = ReadRegularFile(path_);
  // A file that cannot be read just now gives nothing to go by; the image is written as it is.
  if (now.error != 0 && now.error != ENOENT) return;
  if (now.bytes == fileBytes_) return;
  Parse(now.bytes);
  for (const Change& change : changes_) Put(sections_, change.section, change.key, change.value);
  fileBytes_ = now.bytes;
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

std::size_t IniFile::FindSection(const std::vector<Section>& sections, const std::u16string& name) {
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (SectionName(sections[i].header) == std::u16string_view(name)) return i;
  }
  return sections.size();
}

std::u16string IniFile::ValueIn(const std::vector<Section>& sections, const std::u16string& section,
                                const std::u16string& key) {
  const std::size_t index = FindSection(sections, section);
  if (index == sections.size()) return {};
  for (const std::u16string& line : sections[index].body) {
    const auto parsed = ParseKeyLine(line);
    if (parsed && parsed->key == key) return std::u16string(parsed->value);
  }
  return {};
}

std::u16string IniFile::GetString(const std::u16string& section, const std::u16string& key) const {
  return ValueIn(sections_, section, key);
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
  const std::u16string known = ValueIn(known_, name, keyText);
  if (ReadBack(value) != known) {
    const auto same = [&](const Change& change) { return change.section == name && change.key == keyText; };
    if (const auto change = std::find_if(changes_.begin(), changes_.end(), same); change != changes_.end()) {
      change->value = value;
    } else {
      changes_.push_back({name, keyText, value});
    }
    Put(known_, name, keyText, value);
  } else if (GetString(name, keyText) != known) {
    // The value this program knew, while the image holds what another
    // program saved since: that stays, so that a viewer that stores all it
    // holds on every save does not undo it.
    return true;
  }
  Put(sections_, name, keyText, value);
  return true;
}

void IniFile::Put(std::vector<Section>& sections, const std::u16string& section, const std::u16string& key,
                  const std::u16string& value) {
  const std::size_t index = FindSection(sections, section);
  if (index == sections.size()) sections.push_back({kHeaderOpen + section + kHeaderClose, {}});

  std::vector<std::u16string>& body = sections[index].body;
  std::u16string newLine = key + kAssign + SingleLine(value);
  for (std::u16string& line : body) {
    const auto parsed = ParseKeyLine(line);
    if (parsed && parsed->key == key) {
      line = std::move(newLine);
      return;
    }
  }
  body.push_back(std::move(newLine));
}

bool IniFile::SetInt(const std::u16string& section, const std::u16string& key, int32_t value) {
  const std::string digits = std::to_string(value);
  return SetString(section, key, std::u16string(digits.begin(), digits.end()));
}

}  // namespace tavlex
