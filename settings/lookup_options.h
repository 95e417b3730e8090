// LookupOptions: how words from other programs are looked up, in a section of
// their own, "lookup", so that the handheld's keys stay as they are. The
// defaults leave the viewer as it was: look-ups in the main window, the
// clipboard not watched, no global key asked of the desktop.
#pragma once

#include "settings/ini_file.h"

namespace tavlex {

inline constexpr char16_t kLookupSection[] = u"lookup";

struct LookupOptions {
  bool popup = false;           // "popup": `tavlex WORD`, --selection and --clipboard show a pop-up
  bool watchClipboard = false;  // "watchclipboard": new text on the clipboard is looked up in the pop-up
  bool globalShortcut = false;  // "globalshortcut": the user had the desktop's portal bind a key

  bool operator==(const LookupOptions&) const = default;
};

LookupOptions LoadLookupOptions(const IniFile& ini);
void SaveLookupOptions(const LookupOptions& options, IniFile& ini);

}  // namespace tavlex
