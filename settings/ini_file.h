// IniFile: the in-memory image of the settings file "tavlex.ini".
//
// Every line is kept verbatim and in file order (blank lines, comments, keys
// this version doesn't know). Only section headers are recognised at load;
// keys and values are parsed anew on each lookup. Saving therefore reproduces
// the file line for line, except the lines the program set.
//
// Two programs may share one file (two viewers, a viewer and a tool). A save
// that finds the file changed since this image read or wrote it starts from
// what the file holds now and applies only the values this program changed,
// key by key, so that it never undoes what the other program saved; where
// both changed one key, the later save wins. A value is changed when it is
// set to other than what this program knows of the key: what it read, or
// set itself, or took up with TakeUpFileChanges.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
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
  // missing, and taking up what another program saved meanwhile (see above).
  // False when the write failed: the old file is then untouched and the
  // failure listener is told why. Either way the image counts as saved, but
  // its changes go with the next save that writes.
  bool Save();
  // Starts again from what the file holds if another program saved it since
  // this image read or wrote it, and applies this program's own changes on
  // top, as Save does; what the image then holds counts as known. For a
  // caller about to change values that belong together with values another
  // program may have changed (the list of dictionaries), and that reads
  // again what it holds of the file.
  void TakeUpFileChanges();
  // Told of every save that failed, with the reason (ENOSPC for a full disk).
  void SetSaveFailureListener(std::function<void(const std::error_code&)> listener) {
    saveFailed_ = std::move(listener);
  }

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
  // Setting the value this program knew of a key whose value another
  // program saved since (taken up by a save) leaves the other's value.
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

  // A value this program changed since the file was last written.
  struct Change {
    std::u16string section;
    std::u16string key;
    std::u16string value;
  };

  // Makes the image the lines of the file's bytes.
  void Parse(std::string_view bytes);
  // Starts again from the file if another program saved it since it was
  // read or written, and applies changes_ to it; the folder is locked.
  void MergeFile();
  // Index of the first section whose header names it; sections.size() if none.
  static std::size_t FindSection(const std::vector<Section>& sections, const std::u16string& name);
  static std::u16string ValueIn(const std::vector<Section>& sections, const std::u16string& section,
                                const std::u16string& key);
  // What SetString does to the lines; section and key are single lines.
  static void Put(std::vector<Section>& sections, const std::u16string& section, const std::u16string& key,
                  const std::u16string& value);
  std::string Serialize() const;

  std::filesystem::path path_;
  std::vector<std::u16string> preamble_;  // lines before the first header
  std::vector<Section> sections_;
  // The sections as this program knows them: as read, with its own sets and
  // what it took up; what another program saved is taken up by a save.
  std::vector<Section> known_;
  bool modified_ = false;
  std::string fileBytes_;  // the file as this image last read or wrote it
  std::vector<Change> changes_;
  WriteFunction write_;
  std::function<void(const std::error_code&)> saveFailed_;
};

}  // namespace tavlex
