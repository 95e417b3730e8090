// The look-up of a selected text: the longest start of it that is a headword
// once its inflections are undone, then the shorter starts that are.
//
// The window (engine/text/scan_window.h) is read by words for English and by
// characters otherwise; an English window that finds nothing is read again by
// characters when it holds other scripts (Tシャツを着た). Every start of the
// window, longest first, gives its dictionary forms (english_forms.h,
// japanese_forms.h), and each form is looked up exactly, folded as the exact
// mode folds (case, width, kana with the kana option, accents with a
// dictionary's accent setting), in every dictionary in use (neither not-used
// nor irregular). The dictionaries of irregular forms give English words more
// base forms. A start's hits come as one group: fewer rules undone first,
// then the set's order, then each dictionary's order, at most searchMax (and
// at least one) from each dictionary; no entry comes twice, the longest start
// keeping it.
//
// Runs on the thread that owns the set, as its other searches do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/block_cache.h"
#include "engine/dictionary_set.h"
#include "engine/search/scan_memory.h"
#include "engine/text/form_rules.h"

namespace tavlex {

struct ScanOptions {
  bool foldKana = false;  // hiragana and katakana match each other, as in the other modes
};

struct ScanHit {
  EntryRef entry;
  std::u16string form;          // the form looked up: "take care of", "食べる"
  std::vector<FormRule> rules;  // undone to get there, innermost first
};

// The hits of one start of the text.
struct ScanGroup {
  // The start covered, [begin, end) in UTF-16 units of the text as given:
  // text.substr(begin, end - begin) is it, exactly as it stands there.
  uint32_t begin = 0;
  uint32_t end = 0;
  std::vector<ScanHit> hits;  // ranked; never empty
};

// The groups of every start that found something, the longest start first;
// empty when none did. memory: kept beside the set from its earlier
// look-ups (and used on its thread), or null to keep nothing.
std::vector<ScanGroup> ScanText(DictionarySet& set, std::u16string_view text, const ScanOptions& options,
                                ScanMemory* memory = nullptr);

}  // namespace tavlex
