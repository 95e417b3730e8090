#include "view/lookup_view.h"

#include <QKeyEvent>
#include <QThread>
#include <QTimer>
#include <utility>

#include "platform/clipboard.h"
#include "platform/program_launcher.h"
#include "platform/qt_text.h"
#include "platform/timer_service.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"
#include "settings/settings_location.h"
#include "settings/viewer_options.h"
#include "ui/editor.h"
#include "ui/index_edit.h"
#include "ui/scroll_codes.h"
#include "ui/setting_dlg.h"
#include "view/dialog_fields.h"
#include "view/dictionary_menu.h"
#include "view/empty_set_hint.h"
#include "view/entry_keeping.h"
#include "view/entry_paragraphs.h"
#include "view/keeping_message.h"
#include "view/lookup_layout.h"
#include "view/scan_paragraphs.h"
#include "wordbook/word_book_path.h"

namespace tavlex {
namespace {

using platform::TimerService;

// How long the font loader gets to make its fonts available.
constexpr unsigned long kFontLoaderStartMs = 50;

// A command of each listed dictionary, and one more for all of them.
static_assert(ids::kDictionarySettingsLast - ids::kDictionarySettingsFirst + 1 == kListedDictionaries);
static_assert(ids::kDictionaryChoiceLast - ids::kDictionaryChoiceFirst + 1 >= kListedDictionaries + 1);

}  // namespace

CLookupView::CLookupView(IniFile& settings, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      dictionaries_(settings),
      viewerSettings_(LoadViewerSettings(settings)),
      flow_(dictionaries_.set(), this, viewerSettings_) {
  setObjectName(QStringLiteral("lookupView"));
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  setFocusPolicy(Qt::StrongFocus);

  // Each index is then read in the pieces its searches need, not whole at the start.
  dictionaries_.set().SetPositionsFolder(UserDesktopFolders().cache);
  flow_.history().SetNewestFirst(LoadHistory(settings_));

  searchEdit_ = new CIndexEdit(this);
  resultDisplay_ = new CEditor(this);
  modeMarker_ = new QLabel(this);
  modeMarker_->setObjectName(QStringLiteral("modeMarker"));
  modeMarker_->setAlignment(Qt::AlignCenter);
  modeMarker_->setForegroundRole(QPalette::HighlightedText);
  modeMarker_->setBackgroundRole(QPalette::Highlight);
  modeMarker_->setAutoFillBackground(true);
  ShowMode();
  resultDisplay_->OfferLookUp(this);
  searchEdit_->installEventFilter(this);
  resultDisplay_->installEventFilter(this);
  setFocusProxy(searchEdit_);
}

bool CLookupView::OpenOnce() {
  if (std::exchange(dictionariesOpen_, true)) return false;
  dictionaries_.OpenListed();  // what cannot be opened is left out without a word
  PostSettingsChanged();
  LaunchFontLoader();
  RealizeFonts();
  CloseFontLoader();
  return true;
}

void CLookupView::OpenDictionaries() {
  if (!OpenOnce()) return;
  if (!flow_.HasWord(ToU16View(searchEdit_->text()))) {
    ShowResults(SearchFlow::Found::kNothing, true);  // the first-run hint when nothing is registered
  } else {
    platform::PostCommand(this, ids::kSearch);
  }
}

void CLookupView::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  // After the paint: the window reaches the screen first.
  if (!dictionariesOpen_ && !std::exchange(openingPosted_, true)) {
    QTimer::singleShot(0, this, &CLookupView::OpenDictionaries);
  }
}

CLookupView::~CLookupView() { StoreSettings(); }

void CLookupView::StoreSettings() {
  dictionaries_.SaveSettings();
  SaveHistory(flow_.history().NewestFirst(), settings_);
}

void CLookupView::SaveSettings() {
  StoreSettings();
  settings_.Save();
}

void CLookupView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceChildren();
}

void CLookupView::PlaceChildren() {
  const int markerWidth = modeMarker_->isHidden() ? 0 : modeMarker_->sizeHint().width();
  const LookupLayout layout = ComputeLookupLayout(size(), searchEdit_->fontMetrics().height(), markerWidth);
  searchEdit_->setGeometry(layout.searchEdit);
  resultDisplay_->setGeometry(layout.resultDisplay);
  modeMarker_->setGeometry(layout.modeMarker);
}

void CLookupView::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  searchEdit_->setFocus();
}

bool CLookupView::event(QEvent* event) {
  if (event->type() == platform::MessageEvent::Type()) {
    const auto* message = static_cast<platform::MessageEvent*>(event);
    if (message->message() == ids::kWmUser) flow_.OnTextChanged();
    if (message->message() == ids::kWmComposing) flow_.OnComposing(message->wParam() != 0);
    if (message->message() == ids::kWmTimer) flow_.OnTimer(static_cast<int>(message->wParam()));
    OnSearchNotice(message->message(), message->wParam(), message->lParam());
    return true;
  }
  if (event->type() == platform::CommandEvent::Type()) {
    const int command = static_cast<platform::CommandEvent*>(event)->command();
    Route([command](platform::CommandTarget& target) { return target.OnCommand(command); });
    return true;
  }
  return QWidget::event(event);
}

template <typename Offer>
bool CLookupView::Route(Offer offer) {
  // The focused child first, then the view, then the frame and what lies behind it.
  // focusWidget() is the child of this view that has, or last had, the focus.
  auto* child = dynamic_cast<platform::CommandTarget*>(focusWidget());
  if (child && child != this && offer(*child)) return true;
  if (offer(static_cast<platform::CommandTarget&>(*this))) return true;
  auto* frame = dynamic_cast<platform::CommandTarget*>(parentWidget());
  return frame && offer(*frame);
}

platform::CommandState CLookupView::QueryCommandState(int command) {
  platform::CommandState state;
  Route([command, &state](platform::CommandTarget& target) { return target.OnCommandState(command, state); });
  return state;
}

bool CLookupView::OnCommand(int command) {
  // A search opens the dictionaries itself; the other commands may change them.
  if (command != ids::kSearch && command != ids::kInflectionSearch) OpenDictionaries();
  // Menus only ever name dictionaries that are in the set.
  if (command >= ids::kDictionarySettingsFirst && command <= ids::kDictionarySettingsLast &&
      static_cast<size_t>(command - ids::kDictionarySettingsFirst) < dictionaries_.set().count()) {
    EditDictionarySettings(static_cast<size_t>(command - ids::kDictionarySettingsFirst));
    return true;
  }
  if (command >= ids::kDictionaryChoiceFirst && command <= ids::kDictionaryChoiceLast) {
    ChooseDictionary(static_cast<size_t>(command - ids::kDictionaryChoiceFirst));
    return true;
  }
  if (OnSearchCommand(command)) return true;
  switch (command) {
    case ids::kSearch:
      Search();
      return true;
    case ids::kInflectionSearch:
      SearchInflected();
      return true;
    case ids::kOptions:
      ShowOptions();
      return true;
    case ids::kRegisterDictionary:
      RegisterDictionary();
      return true;
    case ids::kKeepEntry:
      KeepEntry(true);
      return true;
    case ids::kLookUpSelection:
      LookUpSelection();
      return true;
    default:
      return false;
  }
}

void CLookupView::ShowOptions() {
  CSettingDlg dialog(this);
  dialog.fields() = OptionsDialogFields(options());
  if (dialog.exec() != QDialog::Accepted) return;
  viewerSettings_.viewer = OptionsFromDialog(dialog.fields(), options());
  SaveViewerOptions(options(), settings_);
  SaveSettings();
  PostSettingsChanged();
}

void CLookupView::PostSettingsChanged() {
  if (parentWidget()) platform::PostMessage(parentWidget(), ids::kWmSettingsChanged);
}

void CLookupView::PostCommand(int command) { platform::PostCommand(this, command); }

void CLookupView::SetTimer(int id, int milliseconds) {
  TimerService::Current().SetTimer(this, id, milliseconds);
}

void CLookupView::KillTimer(int id) { TimerService::Current().KillTimer(this, id); }

// Called on worker threads: posting is safe from any thread.
void CLookupView::PostMessage(int message, intptr_t wParam, intptr_t lParam) {
  platform::PostMessage(this, message, wParam, lParam);
}

void CLookupView::Search() {
  OpenOnce();
  searchEdit_->setFocus();
  const SearchFlow::Found found = flow_.Search(ToU16String(searchEdit_->text()));
  if (found != SearchFlow::Found::kNothing) ShowResults(found, true);
}

void CLookupView::SearchInflected() {
  OpenOnce();
  searchEdit_->setFocus();
  if (flow_.SearchInflected(ToU16String(searchEdit_->text())) == SearchFlow::Found::kEntries) {
    ShowResults(SearchFlow::Found::kEntries, true);
  }
}

void CLookupView::ShowResults(SearchFlow::Found found, bool toTop) {
  shown_ = found;
  shownEntries_.Clear();
  resultDisplay_->Clear();
  if (toTop) resultDisplay_->Scroll(SB_TOP, 0);
  if (const std::optional<std::u16string> progress = IndexProgressLine(flow_.IndexesUnderWay())) {
    resultDisplay_->AppendText(ToQString(*progress), nullptr);
    resultDisplay_->AppendText(QString(), nullptr);
  }
  if (found == SearchFlow::Found::kEntries) {
    for (const EntryRef& entry : flow_.entries()) AppendEntry(entry, {}, nullptr);
  } else if (found == SearchFlow::Found::kHits) {
    for (size_t i = 0; i < flow_.hits().size(); ++i) {
      const std::vector<SearchHit>& hits = flow_.hits()[i].results.hits;
      const uint64_t beyond = flow_.MoreHits(i);
      const std::u16string more = beyond > 0 ? MoreHitsLine(beyond) : u"";
      for (size_t k = 0; k < hits.size(); ++k) {
        AppendEntry(hits[k].entry, flow_.hitsMarked() ? hits[k].matches : std::vector<FieldMatch>{},
                    k + 1 == hits.size() && !more.empty() ? &more : nullptr);
      }
    }
  } else if (found == SearchFlow::Found::kGroups) {
    const std::vector<size_t> starts =
        AppendScanGroups(*resultDisplay_, fonts_, wordBook().Marks(), flow_.scannedText(), flow_.groups(),
                         CoveredMark::kInHeading);
    size_t k = 0;
    for (const ScanGroup& group : flow_.groups()) {
      for (const ScanHit& hit : group.hits)
        shownEntries_.AddFound(hit.entry, starts[k++], hit.form, group.begin, group.end);
    }
  }
  if (dictionaries_.set().count() == 0) {
    for (const QString& line : EmptySetHint(InstalledSamplesFolder()))
      resultDisplay_->AppendText(line, nullptr);
  }
  resultDisplay_->Layout();
  resultDisplay_->viewport()->update();  // the text is drawn on the scroll area's viewport
  emit resultsShown();
}

void CLookupView::AppendEntry(const EntryRef& entry, const std::vector<FieldMatch>& matches,
                              const std::u16string* more) {
  shownEntries_.Add(entry, resultDisplay_->paragraphs().size());
  AppendEntryParagraphs(*resultDisplay_, fonts_, wordBook().Marks(), *entry, matches, more);
}

wordbook::WordBook& CLookupView::wordBook() {
  if (!wordBook_)
    wordBook_ = std::make_unique<wordbook::WordBook>(wordbook::WordBookPath(UserDesktopFolders()));
  return *wordBook_;
}

void CLookupView::KeepEntry(bool underCursor) {
  size_t paragraph = 0;
  if (underCursor && resultDisplay_->hasFocus()) {
    if (const std::optional<int> top = resultDisplay_->topParagraph()) paragraph = static_cast<size_t>(*top);
  }
  const std::optional<size_t> index = shownEntries_.At(paragraph);
  if (!index) {
    emit statusMessage(LoadString(ids::kNothingToKeep));
    return;
  }
  const Entry& entry = shownEntries_.entry(*index);
  const std::shared_ptr<const Dictionary> dictionary = entry.dictionary.lock();
  if (!dictionary) return;  // removed since it was shown: the display is being replaced
  const std::u16string name = ToU16String(DictionaryMenuName(*dictionary));
  const wordbook::Change change = wordBook().Keep(shownEntries_.ToKeep(
      *index, name, dictionary->path(), ToU16String(searchEdit_->text()), flow_.scannedText()));
  const QString headword = ToQString(change.entry.headword.empty() ? entry.key : change.entry.headword);
  emit statusMessage(KeepingMessage(change, headword));
  ShowMarks();
}

void CLookupView::ShowMarks() {
  if (shown_ == SearchFlow::Found::kNothing) return;
  const int top = resultDisplay_->topLine();
  ShowResults(shown_, false);
  resultDisplay_->Scroll(SB_THUMBTRACK, top);
}

void CLookupView::PasteOnActivate() {
  searchEdit_->selectAll();
  const std::optional<platform::Clipboard::Content> content =
      platform::Clipboard::Read(platform::Clipboard::Mode::kClipboard);
  std::optional<std::u16string> text;
  if (content && content->hasText) text = ToU16String(content->text);
  if (const std::optional<std::u16string> line = activationPaste_.OnActivate(text)) {
    searchEdit_->insert(ToQString(*line));
  }
  searchEdit_->setFocus();
}

void CLookupView::LookUp(const QString& text) {
  activationPaste_.KeepWordOnce();
  if (const SearchOptions options = flow_.OptionsToLookUp(); options != viewerSettings_.search) {
    StoreSearchOptions(options);
  }
  // A look-up asks for its results, also where the box's change would not search.
  if (searchEdit_->text() == text || !flow_.SearchesOnChange()) platform::PostCommand(this, ids::kSearch);
  if (searchEdit_->text() == text) return;
  searchEdit_->selectAll();
  searchEdit_->insert(text);
}

void CLookupView::LookUpSelection() {
  const std::optional<std::u16string> line =
      flow_.SelectionToLookUp(ToU16String(resultDisplay_->LookUpText()), ToU16String(searchEdit_->text()));
  if (line) LookUp(ToQString(*line));
}

bool CLookupView::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == searchEdit_ || watched == resultDisplay_) &&
      (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
    return PreTranslateKey(static_cast<QKeyEvent*>(event));
  }
  return QWidget::eventFilter(watched, event);
}

bool CLookupView::PreTranslateKey(QKeyEvent* key) {
  const bool inEdit = searchEdit_->hasFocus();
  const bool inDisplay = resultDisplay_->hasFocus();
  if (key->type() == QEvent::KeyRelease) {
    if (key->key() != Qt::Key_Escape) return false;
    if (std::exchange(escapePressed_, false)) {
      searchEdit_->clear();
      searchEdit_->setFocus();
    }
    return true;
  }
  if (inEdit && searchEdit_->composing()) return ComposingKey(key);
  escapePressed_ = key->key() == Qt::Key_Escape;
  switch (key->key()) {
    case Qt::Key_Up:
      // Shift+Up selects.
      if (!inDisplay || resultDisplay_->topLine() != 0 || (key->modifiers() & Qt::ShiftModifier))
        return false;
      searchEdit_->setFocus();
      return true;
    case Qt::Key_Down:
      if (!inEdit) return false;
      resultDisplay_->setFocus();
      return true;
    case Qt::Key_Tab:
      if (inEdit) {
        resultDisplay_->setFocus();
      } else if (inDisplay) {
        searchEdit_->setFocus();
        searchEdit_->selectAll();
      }
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (inDisplay && !resultDisplay_->selection().empty()) {
        platform::PostCommand(this, ids::kLookUpSelection);
        return true;
      }
      flow_.OnReturn(ToU16String(searchEdit_->text()));
      return false;  // the key still reaches the focused child
    default:
      return false;
  }
}

bool CLookupView::ComposingKey(QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // The commit changes the text, and that change searches.
      searchEdit_->CommitComposition();
      return true;
    case Qt::Key_Escape:
      // Its release finds no press of its own and leaves the word.
      escapePressed_ = false;
      searchEdit_->CancelComposition();
      return true;
    default:
      return false;  // the input method's own keys
  }
}

void CLookupView::LaunchFontLoader() {
  if (options().fontOnStorage.empty()) return;
  fontLoaderProcess_ = platform::StartProgram(ToQString(options().fontOnStorage));
  if (fontLoaderProcess_ != 0) QThread::msleep(kFontLoaderStartMs);
}

void CLookupView::RealizeFonts() {
  if (options().fontOnStorage.empty()) return;
  for (size_t i = 0; i < dictionaries_.set().count(); ++i) {
    const DictionarySettings& s = dictionaries_.set().at(i).settings();
    // Creating the font and asking for its metrics makes the platform load it now.
    for (const auto& [face, size] :
         {std::pair{s.indexFont, s.indexSize}, std::pair{s.phoneticFont, s.phoneticSize},
          std::pair{s.transFont, s.transSize}, std::pair{s.sampleFont, s.sampleSize}}) {
      if (const FontHandle font = fonts_.GetFont(ToQString(face), size)) QFontMetrics(*font).height();
    }
  }
}

void CLookupView::CloseFontLoader() {
  if (options().fontOnStorage.empty() || fontLoaderProcess_ == 0) return;
  platform::RequestProgramEnd(fontLoaderProcess_);
}

}  // namespace tavlex
