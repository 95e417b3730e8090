// Reading and writing one settings section through a single list of keys.
// A caller writes its keys once, as calls visit(key, field, ...), in a
// template that both a KeyReader and a KeyWriter walk; names, order and
// defaults therefore cannot drift apart between loading and saving.
#pragma once

#include <cstdint>
#include <string>

#include "settings/ini_file.h"

namespace tavlex {

// A switch that is on only when its stored value is exactly 1; absent or
// empty gives the fallback. Written as 1 or 0.
struct ExactSwitch {
  bool& value;
  bool fallback;
};

// A string that is read but never written: the user edits it by hand.
struct HandEditedString {
  std::u16string& value;
};

struct KeyReader {
  const IniFile& ini;
  const std::u16string& section;

  void operator()(const char16_t* key, int32_t& value, int32_t fallback) const {
    value = ini.GetInt(section, key, fallback);
  }
  // Any non-zero number is true.
  void operator()(const char16_t* key, bool& value) const { value = ini.GetInt(section, key, 0) != 0; }
  void operator()(const char16_t* key, std::u16string& value) const { value = ini.GetString(section, key); }
  void operator()(const char16_t* key, ExactSwitch field) const {
    field.value = ini.GetInt(section, key, field.fallback ? 1 : 0) == 1;
  }
  void operator()(const char16_t* key, HandEditedString field) const {
    field.value = ini.GetString(section, key);
  }
};

struct KeyWriter {
  IniFile& ini;
  const std::u16string& section;

  void operator()(const char16_t* key, int32_t value, int32_t) const { ini.SetInt(section, key, value); }
  void operator()(const char16_t* key, bool value) const { ini.SetInt(section, key, value ? 1 : 0); }
  void operator()(const char16_t* key, const std::u16string& value) const {
    ini.SetString(section, key, value);
  }
  void operator()(const char16_t* key, ExactSwitch field) const {
    ini.SetInt(section, key, field.value ? 1 : 0);
  }
  void operator()(const char16_t*, HandEditedString) const {}
};

}  // namespace tavlex
