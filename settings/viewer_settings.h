// ViewerSettings: the options the main window searches and shows by, read
// from the settings image when the window is made: its own options (section
// "dictionary") and the search options (section "search"). The window owns
// them and writes each change back into the image; the search flow reads
// them through a reference, so that a change applies from the next step.
#pragma once

#include "settings/ini_file.h"
#include "settings/search_options.h"
#include "settings/viewer_options.h"

namespace tavlex {

struct ViewerSettings {
  ViewerOptions viewer;
  SearchOptions search;

  bool operator==(const ViewerSettings&) const = default;
};

inline ViewerSettings LoadViewerSettings(const IniFile& ini) {
  return {LoadViewerOptions(ini), LoadSearchOptions(ini)};
}

}  // namespace tavlex
