// IniFile: the in-memory image of the settings file "tavlex.ini".
//
// Every line is kept verbatim and in file order (blank lines, comments, keys
// this version doesn't know). Only section headers are recognised at load;
// keys and values are parsed anew on each lookup. Saving therefore reproduces
// the file line for line, except the lines the program set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/atomic_file.h"

namespace tavlex {

class IniFile {
 public:
  IniFile();
  ~IniFile();  // saves pending changes
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  // Loads fileName from where the settings live (settings_location.h):
  // beside the executable, or in the user's config folder.
  void Load(const std::u16string& fileName);
  // Loads from an explicit location. A missing or unreadable file gives an
  // empty image. Replaces whatever was loaded before, unsaved changes too.
  void LoadPath(const std::filesystem::path& path);
  // Writes the image back if anything was set since the last load or save
  // (never before a load: there is no path yet), creating its folder when
  // missing. Failures leave the old file untouched and are not reported;
  // either way the image counts as saved.
  void Save();

  const std::filesystem::path& Path() const { return path_; }

  // Value of the first matching key in the first matching section, with
  // its comment cut and spaces/tabs trimmed; empty if there is none.
  std::u16string GetString(const std::u16string& section, const std::u16string& key) const;
  // Leading decimal integer of the value (0 if it has no digits), saturated
  // to the int32 range; defaultValue only if the value is empty.
  int32_t GetInt(const std::u16string& section, const std::u16string& key, int32_t defaultValue) const;

  // Replaces the first line defining key with "key=value", or appends that
  // line to the section (creating the section at the end if needed). Always
  // marks the image modified, even when the value is unchanged. Line breaks
  // in any argument become spaces so that one set always writes one line.
  bool SetString(const std::u16string& section, const std::u16string& key, const std::u16string& value);
  bool SetInt(const std::u16string& section, const std::u16string& key, int32_t value);

  // Whether value, once set, reads back as it is: it holds no ";" (which
  // starts a comment), no line break, and no space or tab at either end
  // (values are trimmed). An empty value reads back as it is.
  static bool CanHoldValue(std::u16string_view value);

  // Lets a test make the file write fail part-way. Defaults to ::write.
  void SetWriteFunctionForTesting(WriteFunction write) { write_ = std::move(write); }

 private:
  struct Section {
    std::u16string header;  // the whole "[name]..." line
    std::vector<std::u16string> body;
  };

  // Index of the first section whose header names it; sections_.size() if none.
  std::size_t FindSection(const std::u16string& name) const;
  std::string Serialize() const;

  std::filesystem::path path_;
  std::vector<std::u16string> preamble_;  // lines before the first header
  std::vector<Section> sections_;
  bool modified_ = false;
  WriteFunction write_;
};

}  // namespace tavlex
