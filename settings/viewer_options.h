// ViewerOptions: the application-wide options of section "dictionary" that
// steer the lookup view: incremental search, its two delays, keypad menus and
// the font loader. The view reads them when it is created; the options dialog
// writes them back when the user confirms it.
#pragma once

#include <cstdint>
#include <string>

#include "settings/ini_file.h"

namespace tavlex {

struct ViewerOptions {
  bool incresearch = true;       // "incresearch": on only when it holds exactly 1
  int32_t delay = 0;             // ms from the last change of the search text to the search; 0 = at once
  int32_t conjudelay = 0;        // ms from a search to the inflection search; 0 or less = none
  int32_t menuTenkey = 0;        // 1 = menus labelled for the numeric keypad
  std::u16string fontOnStorage;  // font loader program; edited by hand only, never written

  bool operator==(const ViewerOptions&) const = default;
};

// The five options with their defaults for absent or empty keys.
ViewerOptions LoadViewerOptions(const IniFile& ini);

// Sets "incresearch" (1 or 0), "delay", "conjudelay" and "MenuTenkey", in that order.
void SaveViewerOptions(const ViewerOptions& options, IniFile& ini);

}  // namespace tavlex
