// Numeric identifiers shared by the windows, menus and commands of the viewer,
// and the numbers of the messages its windows post to each other. Commands
// keep these ids so that routing and menus can refer to them.
#pragma once

namespace tavlex::ids {

// Posted messages (platform::PostMessage), in one table so that no two mean
// different things to one window.
inline constexpr int kWmClose = 0x0010;
inline constexpr int kWmTimer = 0x0113;                 // wParam: the timer's id
inline constexpr int kWmVScroll = 0x0115;               // wParam: scroll code, position << 16
inline constexpr int kWmUser = 0x0400;                  // the search text changed
inline constexpr int kWmSettingsChanged = kWmUser + 1;  // rebuild the menus
inline constexpr int kWmIndexNotice = kWmUser + 2;      // an index changed state or made progress
inline constexpr int kWmCountNotice = kWmUser + 3;      // wParam: generation × 16 + slot, lParam: total
inline constexpr int kWmRedrawInPlace = kWmUser + 4;    // the result display repaints what it shows
inline constexpr int kWmComposing = kWmUser + 5;  // wParam 1: an input method composes in the box; 0: done
inline constexpr int kWmFocusNotice = kWmUser + 100;  // lParam: the dialog's control that took the focus

// Child windows of the lookup view.
inline constexpr int kSearchEdit = 1333;
inline constexpr int kResultDisplay = 1234;

// One-shot timers of the lookup view.
inline constexpr int kIncrementalSearchTimer = 1000;
inline constexpr int kInflectionSearchTimer = 1001;
inline constexpr int kHistoryTimer = 1002;  // a result shown this long puts its word into the history

// Commands. IDOK and IDCANCEL close a dialog.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kRegisterDictionary = 32772;
inline constexpr int kExit = 32774;
inline constexpr int kSearch = 32777;
inline constexpr int kInflectionSearch = 32778;
inline constexpr int kDictionarySettingsPlaceholder = 32780;
inline constexpr int kOptions = 32782;
inline constexpr int kDictionaryPlaceholder = 32783;
// Look-ups from other programs (ツール menu): watch the clipboard, show
// look-ups in the pop-up, ask the desktop for a global key.
inline constexpr int kWatchClipboard = 32810;
inline constexpr int kPopupLookups = 32811;
inline constexpr int kBindGlobalShortcut = 32812;
// The word book (ツール menu): keep the entry under the cursor.
inline constexpr int kKeepEntry = 32813;
// The word book's window (ツール menu).
inline constexpr int kWordBook = 32814;
// The result display's context menu and Return on its selection: look up
// the text selected there.
inline constexpr int kLookUpSelection = 32815;
inline constexpr int kDictionarySettingsFirst = 20000;  // 20000-20008: dictionary 0-8
inline constexpr int kDictionarySettingsLast = 20008;
inline constexpr int kDictionaryChoiceFirst = 20200;  // 20200-20210: dictionary 0-8, then all of them
inline constexpr int kDictionaryChoiceLast = 20210;
// The 検索 menu: the modes in menu order (文から検索 came last, with its own
// number), the prefix/full-text toggle, the full-text fields in menu order,
// the kana option, the indexes, the history.
inline constexpr int kModePrefix = 32790;
inline constexpr int kModeExact = 32791;
inline constexpr int kModeSuffix = 32792;
inline constexpr int kModeSubstring = 32793;
inline constexpr int kModeFullText = 32794;
inline constexpr int kModeScan = 32830;
inline constexpr int kToggleFullText = 32795;
inline constexpr int kFieldHeadword = 32796;
inline constexpr int kFieldTranslation = 32797;
inline constexpr int kFieldExample = 32798;
inline constexpr int kFieldPronunciation = 32799;
inline constexpr int kFoldKana = 32800;
inline constexpr int kBuildIndexes = 32801;
inline constexpr int kRemoveIndexes = 32802;
inline constexpr int kHistoryBack = 32803;
inline constexpr int kHistoryForward = 32804;
inline constexpr int kHistoryPlaceholder = 32805;
inline constexpr int kHistoryWordFirst = 20400;  // 20400-20419: the recent words, newest first
inline constexpr int kHistoryWordLast = 20419;
inline constexpr int kFileNew = 57600;  // bound to Ctrl+N; nothing handles it
inline constexpr int kAppAbout = 57664;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditUndo = 57643;

// Menu resources.
inline constexpr int kMainMenu = 128;
inline constexpr int kEditPopupMenu = 129;
inline constexpr int kDialogMenu = 131;
inline constexpr int kVersionMenu = 132;

// Dialog templates.
inline constexpr int kVersionDialog = 100;
inline constexpr int kSettingDialog = 129;

// String table (resources/string_table.cpp).
inline constexpr int kOpenDictionaryTitle = 3001;
inline constexpr int kNotADictionary = 3002;
inline constexpr int kErrorCaption = 3003;
inline constexpr int kNoDictionaryRegistered = 3004;
inline constexpr int kRemoveQuestion = 3005;
inline constexpr int kConfirmCaption = 3006;
inline constexpr int kDictionaryFileFilter = 3007;
inline constexpr int kAllDictionaries = 3008;
inline constexpr int kNotSet = 3009;
inline constexpr int kPathNotStorable = 3010;
inline constexpr int kNameNotStorable = 3011;
inline constexpr int kOpenInWindow = 3012;
inline constexpr int kTrayOpenWindow = 3013;
inline constexpr int kTrayQuit = 3014;
inline constexpr int kTrayToolTip = 3015;
inline constexpr int kShortcutDescription = 3016;
inline constexpr int kShortcutNotBound = 3017;
inline constexpr int kNothingFound = 3018;
inline constexpr int kSettingsNotSaved = 3019;
inline constexpr int kEntryKept = 3020;
inline constexpr int kEntryAlreadyKept = 3021;
inline constexpr int kEntryNotKept = 3022;
inline constexpr int kNothingToKeep = 3023;
inline constexpr int kIndexesRemoved = 3024;
// The word book's window.
inline constexpr int kWordBookTitle = 3030;
inline constexpr int kWordBookFilterHint = 3031;
inline constexpr int kWordBookSourceLabel = 3032;
inline constexpr int kWordBookKeptLabel = 3033;
inline constexpr int kWordBookDelete = 3034;
inline constexpr int kWordBookUndo = 3035;
inline constexpr int kWordBookExportChosen = 3036;
inline constexpr int kWordBookExportAll = 3037;
inline constexpr int kWordBookSendToAnki = 3038;
inline constexpr int kWordBookClose = 3039;
inline constexpr int kWordBookCount = 3040;
inline constexpr int kWordBookRemoved = 3041;
inline constexpr int kWordBookRestored = 3042;
inline constexpr int kWordBookNotChanged = 3043;
inline constexpr int kWordBookExportTitle = 3044;
inline constexpr int kWordBookExportFilter = 3045;
inline constexpr int kWordBookExported = 3046;
inline constexpr int kWordBookNotExported = 3047;
inline constexpr int kWordBookNoFolder = 3048;
inline constexpr int kWordBookCannotOpen = 3049;
inline constexpr int kWordBookNotWritable = 3050;
inline constexpr int kWordBookNewerVersion = 3051;
inline constexpr int kWordBookDamaged = 3052;
inline constexpr int kWordBookForeign = 3053;
inline constexpr int kWordBookBusy = 3054;
// The dialog that sends entries to Anki.
inline constexpr int kAnkiTitle = 3060;
inline constexpr int kAnkiDeck = 3061;
inline constexpr int kAnkiNoteType = 3062;
inline constexpr int kAnkiSend = 3063;
inline constexpr int kAnkiAsking = 3064;
inline constexpr int kAnkiReady = 3065;
inline constexpr int kAnkiSending = 3066;
inline constexpr int kAnkiSent = 3067;
inline constexpr int kAnkiNotRunning = 3068;
inline constexpr int kAnkiFailed = 3069;
inline constexpr int kAnkiFieldNone = 3070;
inline constexpr int kAnkiFieldHeadword = 3071;
inline constexpr int kAnkiFieldTranslation = 3072;
inline constexpr int kAnkiFieldPronunciation = 3073;
inline constexpr int kAnkiFieldExample = 3074;
inline constexpr int kAnkiFieldSource = 3075;
inline constexpr int kAnkiFieldDictionary = 3076;
// The pop-up.
inline constexpr int kPopupTitle = 3080;
inline constexpr int kPopupNeedsFocus = 3081;
inline constexpr int kKeepInWordBook = 3082;

}  // namespace tavlex::ids
