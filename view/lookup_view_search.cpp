// CLookupView's 検索 menu: the search modes, the full-text fields and the
// kana option, changed as search_commands.h says and kept in the settings
// file at once; the indexes made now or removed; the history stepped through
// or chosen from. Also the notices of the flow's workers, and how the box
// shows the mode.
#include <utility>

#include "platform/qt_text.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"
#include "ui/index_edit.h"
#include "view/dictionary_menu.h"
#include "view/lookup_view.h"
#include "view/search_commands.h"

namespace tavlex {
namespace {

// Recent words the menu lists.
constexpr int kMenuWords = ids::kHistoryWordLast - ids::kHistoryWordFirst + 1;

}  // namespace

QMenu* CLookupView::RecentWordsMenu(QMenu* searchMenu) {
  return searchMenu && !searchMenu->actions().isEmpty() ? searchMenu->actions().last()->menu() : nullptr;
}

void CLookupView::FillRecentWords(QMenu* recent) {
  if (!recent) return;
  recent->clear();
  const std::vector<HistoryEntry> entries = flow_.history().NewestFirst();
  for (int i = 0; i < std::min(static_cast<int>(entries.size()), kMenuWords); ++i) {
    recent->addAction(MenuItemText(ToQString(entries[i].word)))->setData(ids::kHistoryWordFirst + i);
  }
  // Greyed, it takes no letter of its own.
  if (entries.empty()) recent->addAction(QStringLiteral("（なし）"))->setEnabled(false);
}

bool CLookupView::OnSearchCommand(int command) {
  if (const std::optional<SearchOptions> options = SearchOptionsAfter(command, viewerSettings_.search)) {
    ApplySearchOptions(*options);
    return true;
  }
  if (command >= ids::kHistoryWordFirst && command <= ids::kHistoryWordLast) {
    const std::vector<HistoryEntry> entries = flow_.history().NewestFirst();
    const size_t i = static_cast<size_t>(command - ids::kHistoryWordFirst);
    if (i < entries.size()) ShowHistoryEntry(entries[i]);
    return true;
  }
  switch (command) {
    case ids::kBuildIndexes:
      flow_.BuildIndexes();
      ShowResults(shown_, false);
      return true;
    case ids::kRemoveIndexes:
      RemoveIndexes();
      return true;
    case ids::kHistoryBack:
      ShowHistoryEntry(flow_.HistoryBack(ToU16String(searchEdit_->text())));
      return true;
    case ids::kHistoryForward:
      ShowHistoryEntry(flow_.HistoryForward());
      return true;
    default:
      return false;
  }
}

bool CLookupView::SearchCommandState(int command, platform::CommandState& state) {
  const std::optional<bool> checked = SearchCommandChecked(command, viewerSettings_.search);
  if (checked) state.checked = *checked;
  return checked.has_value();
}

void CLookupView::ApplySearchOptions(const SearchOptions& options) {
  StoreSearchOptions(options);
  platform::PostCommand(this, ids::kSearch);
}

void CLookupView::StoreSearchOptions(const SearchOptions& options) {
  viewerSettings_.search = options;
  SaveSearchOptions(options, settings_);
  SaveSettings();  // kept at once, as every other change of the settings is
  ShowMode();
}

void CLookupView::ShowMode() {
  const QString name = ToQString(std::u16string(ModeName(viewerSettings_.search.mode)));
  const bool prefix = viewerSettings_.search.mode == SearchMode::kPrefix;
  // The prefix search looks as it always did: no placeholder, no marker.
  searchEdit_->setPlaceholderText(prefix ? QString() : name);
  modeMarker_->setText(prefix || name.isEmpty() ? QString() : QStringLiteral(" %1 ").arg(name));
  modeMarker_->setVisible(!prefix);
  PlaceChildren();
}

void CLookupView::ShowHistoryEntry(const std::optional<HistoryEntry>& entry) {
  if (!entry) return;
  const SearchOptions options = flow_.OptionsOf(*entry);
  if (options != viewerSettings_.search) {
    StoreSearchOptions(options);
    platform::PostCommand(this, ids::kSearch);  // also when the word is in the box already
  }
  // Set as typed text is: the box's change message searches it.
  searchEdit_->setText(ToQString(entry->word));
  searchEdit_->selectAll();
  searchEdit_->setFocus();
}

void CLookupView::RemoveIndexes() {
  flow_.RemoveIndexes();
  emit statusMessage(LoadString(ids::kIndexesRemoved));
  if (shown_ != SearchFlow::Found::kHits) {
    ShowResults(shown_, false);
    return;
  }
  // Hits of an index mode are on show: their indexes are made again at once,
  // and the display says so instead of going blank.
  const SearchFlow::Found found = flow_.Search(ToU16String(searchEdit_->text()));
  ShowResults(found == SearchFlow::Found::kNothing ? shown_ : found, false);
}

void CLookupView::OnSearchNotice(int message, qintptr wParam, qintptr lParam) {
  if (message == ids::kWmRedrawInPlace) {
    redrawPosted_ = false;
    ShowResults(shown_, false);
    return;
  }
  switch (flow_.OnNotice(message, wParam, lParam)) {
    case SearchFlow::Redraw::kNothing:
      break;
    case SearchFlow::Redraw::kInPlace:
      // Counts come dictionary by dictionary: the notices already waiting are
      // taken in before the one redraw they share.
      if (!std::exchange(redrawPosted_, true)) platform::PostMessage(this, ids::kWmRedrawInPlace);
      break;
    case SearchFlow::Redraw::kSearchAgain: {
      const SearchFlow::Found found = flow_.Search(ToU16String(searchEdit_->text()));
      ShowResults(found == SearchFlow::Found::kNothing ? shown_ : found, true);
      break;
    }
  }
}

}  // namespace tavlex
