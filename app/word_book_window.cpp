#include "app/word_book_window.h"

#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QVBoxLayout>
#include <limits>

#include "app/anki_send_dialog.h"
#include "platform/qt_text.h"
#include "platform/save_file_dialog.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"
#include "ui/button_rows.h"
#include "ui/editor.h"
#include "ui/palette_follower.h"
#include "ui/placeholder_colour.h"
#include "ui/screen_fit.h"
#include "ui/scroll_codes.h"

namespace tavlex {
namespace {

// A size that shows a list and an entry side by side, cut to smaller screens.
constexpr QSize kInitialSize(760, 520);
// Narrower than this, the entry goes below the list, in a window of the
// initial size turned upright.
constexpr int kSideBySideWidth = 600;
// In one row, the buttons before this one stand apart from the rest, on the left.
constexpr size_t kLeftButtons = 2;
// The list's share of the width, against the entry's.
constexpr int kListStretch = 2;
constexpr int kDetailStretch = 3;
// A word book file that cannot be used is told of in this colour, or the readable one nearest it.
const QColor kProblemColour(0xb0, 0x00, 0x20);
// Where an export goes first: the user's home, under this name.
constexpr char16_t kExportName[] = u"wordbook";

QPushButton* Button(int text, const char* name, QWidget* parent) {
  auto* button = new QPushButton(LoadString(text), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

std::filesystem::path LocalPath(const QString& path) { return std::filesystem::path(path.toStdU16String()); }

}  // namespace

// The browser's rows, read only as the view draws them: 10,000 entries cost nothing until shown.
class CWordBookWindow::ListModel : public QAbstractListModel {
 public:
  explicit ListModel(const WordBookBrowser& browser) : browser_(browser) {}
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(browser_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid() || static_cast<size_t>(index.row()) >= browser_.size()) {
      return {};
    }
    return ToQString(browser_.RowText(static_cast<size_t>(index.row())));
  }
  void Reset() {
    beginResetModel();
    endResetModel();
  }

 private:
  const WordBookBrowser& browser_;
};

QString WordBookProblemText(const wordbook::BookStatus& status, const QString& file) {
  using wordbook::Problem;
  int text = 0;
  switch (status.problem) {
    case Problem::kNone:
      return {};
    case Problem::kNoFolder:
      return LoadString(ids::kWordBookNoFolder);
    case Problem::kCannotOpen:
      text = ids::kWordBookCannotOpen;
      break;
    case Problem::kNotWritable:
      text = ids::kWordBookNotWritable;
      break;
    case Problem::kNewerVersion:
      text = ids::kWordBookNewerVersion;
      break;
    case Problem::kDamaged:
      text = ids::kWordBookDamaged;
      break;
    case Problem::kForeign:
      text = ids::kWordBookForeign;
      break;
    case Problem::kBusy:
      text = ids::kWordBookBusy;
      break;
  }
  QString where = file;
  if (!status.detail.empty()) where += QStringLiteral(" (") + QString::fromStdString(status.detail) + u')';
  return LoadString(text).arg(where);
}

CWordBookWindow::CWordBookWindow(wordbook::WordBook& book, IniFile& settings,
                                 WordBookBrowser::SettingsOf settingsOf, std::function<bool()> foldKana,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window),
      browser_(book, std::move(settingsOf)),
      settings_(settings),
      ankiPort_(wordbook::kAnkiConnectPort),
      foldKana_(std::move(foldKana)),
      model_(std::make_unique<ListModel>(browser_)) {
  setObjectName(QStringLiteral("wordBookWindow"));
  setWindowTitle(LoadString(ids::kWordBookTitle));
  setAttribute(Qt::WA_DeleteOnClose, false);

  problem_ = new QLabel(this);
  problem_->setObjectName(QStringLiteral("wordBookProblem"));
  problem_->setWordWrap(true);
  problem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont bold = problem_->font();
  bold.setBold(true);
  problem_->setFont(bold);
  // Red where it reads (a light palette), a lighter red on a dark one.
  FollowPalette(problem_, QPalette::WindowText, [](const QPalette& palette) {
    return ReadableOn(kProblemColour, palette.color(QPalette::WindowText), palette.color(QPalette::Window));
  });
  problem_->hide();

  filter_ = new QLineEdit(this);
  filter_->setObjectName(QStringLiteral("wordBookFilter"));
  filter_->setPlaceholderText(LoadString(ids::kWordBookFilterHint));
  filter_->setClearButtonEnabled(true);
  FollowPalette(filter_, QPalette::PlaceholderText, ReadablePlaceholder);
  filter_->installEventFilter(this);

  list_ = new QListView(this);
  list_->setObjectName(QStringLiteral("wordBookList"));
  list_->setModel(model_.get());
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setUniformItemSizes(true);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->installEventFilter(this);

  detail_ = new CEditor(this);
  detail_->setObjectName(QStringLiteral("wordBookDetail"));

  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->addWidget(list_);
  splitter_->addWidget(detail_);
  splitter_->setStretchFactor(0, kListStretch);
  splitter_->setStretchFactor(1, kDetailStretch);
  splitter_->setChildrenCollapsible(false);

  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("wordBookStatus"));
  // A long path in a message wraps instead of widening the window.
  status_->setWordWrap(true);

  QPushButton* remove = Button(ids::kWordBookDelete, "wordBookDelete", this);
  undo_ = Button(ids::kWordBookUndo, "wordBookUndo", this);
  QPushButton* exportChosen = Button(ids::kWordBookExportChosen, "wordBookExportChosen", this);
  QPushButton* exportAll = Button(ids::kWordBookExportAll, "wordBookExportAll", this);
  QPushButton* anki = Button(ids::kWordBookSendToAnki, "wordBookSendToAnki", this);
  QPushButton* close = Button(ids::kWordBookClose, "wordBookClose", this);
  connect(anki, &QPushButton::clicked, this, &CWordBookWindow::SendToAnki);
  connect(remove, &QPushButton::clicked, this, &CWordBookWindow::RemoveChosen);
  connect(undo_, &QPushButton::clicked, this, &CWordBookWindow::Undo);
  connect(exportChosen, &QPushButton::clicked, this, [this] { Export(false); });
  connect(exportAll, &QPushButton::clicked, this, [this] { Export(true); });
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  auto* undoKey = new QShortcut(QKeySequence::Undo, this);
  undoKey->setContext(Qt::WidgetWithChildrenShortcut);
  connect(undoKey, &QShortcut::activated, this, &CWordBookWindow::Undo);

  buttons_ = {remove, undo_, exportChosen, exportAll, anki, close};
  buttonRows_ = new QVBoxLayout;

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(problem_);
  layout->addWidget(filter_);
  layout->addWidget(splitter_, 1);
  layout->addWidget(status_);
  layout->addLayout(buttonRows_);
  ArrangeButtons(std::numeric_limits<int>::max());

  connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
    browser_.SetFilter(ToU16String(text), foldKana_ && foldKana_());
    ShowList();
  });
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &CWordBookWindow::OnSelectionChanged);
  connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &CWordBookWindow::OnSelectionChanged);

  resize(kInitialSize);
  ShowList();
  filter_->setFocus();
}

CWordBookWindow::~CWordBookWindow() = default;

void CWordBookWindow::FitScreen() {
  const bool sideBySide = FitToScreen(this, kInitialSize).width() >= kSideBySideWidth;
  splitter_->setOrientation(sideBySide ? Qt::Horizontal : Qt::Vertical);
  const QSize room = FitToScreen(this, sideBySide ? kInitialSize : kInitialSize.transposed());
  const QMargins margins = layout()->contentsMargins();
  ArrangeButtons(room.width() - margins.left() - margins.right());
  resize(room);
}

void CWordBookWindow::ArrangeButtons(int room) {
  while (QLayoutItem* row = buttonRows_->takeAt(0)) delete row;  // the buttons stay
  std::vector<int> widths;
  for (const QPushButton* button : buttons_) widths.push_back(button->sizeHint().width());
  const int spacing = layout()->spacing();
  const std::vector<size_t> rows = ButtonRows(widths, spacing, room);
  size_t next = 0;
  for (const size_t count : rows) {
    auto* row = new QHBoxLayout;
    row->setSpacing(spacing);
    for (size_t i = 0; i < count; ++i, ++next) {
      if (rows.size() == 1 && next == kLeftButtons) row->addStretch();
      row->addWidget(buttons_[next]);
    }
    if (rows.size() > 1) row->addStretch();
    buttonRows_->addLayout(row);
  }
}

void CWordBookWindow::Reload() {
  browser_.Reload();
  ShowList();
}

void CWordBookWindow::ShowList() {
  showing_ = true;
  model_->Reset();
  QItemSelection selection;
  for (const size_t row : browser_.ChosenRows()) {
    const QModelIndex index = model_->index(static_cast<int>(row));
    selection.select(index, index);
  }
  QItemSelectionModel* chosen = list_->selectionModel();
  chosen->select(selection, QItemSelectionModel::ClearAndSelect);
  if (const std::optional<size_t> current = browser_.CurrentRow()) {
    const QModelIndex index = model_->index(static_cast<int>(*current));
    chosen->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    list_->scrollTo(index);
  }
  showing_ = false;

  const QString problem = WordBookProblemText(browser_.status(), ToQString(browser_.file().u16string()));
  problem_->setText(problem);
  problem_->setVisible(!problem.isEmpty());
  undo_->setEnabled(browser_.CanUndo());
  ShowDetail();
}

void CWordBookWindow::ShowDetail() {
  detail_->Clear();
  detail_->Scroll(SB_TOP, 0);
  const DetailLabels labels{ToU16String(LoadString(ids::kWordBookSourceLabel)),
                            ToU16String(LoadString(ids::kWordBookKeptLabel))};
  for (const DetailParagraph& paragraph : browser_.Detail(labels)) {
    std::vector<MarkRange> marks;
    for (const DetailParagraph::Range& range : paragraph.marks) {
      marks.push_back({static_cast<int>(range.begin), static_cast<int>(range.end)});
    }
    detail_->AppendText(ToQString(paragraph.text), fonts_.GetFont(ToQString(paragraph.face), paragraph.size),
                        marks);
  }
  detail_->Layout();
  detail_->viewport()->update();
}

void CWordBookWindow::ShowStatus(const QString& text) { status_->setText(text); }

void CWordBookWindow::OnSelectionChanged() {
  if (showing_) return;
  std::vector<size_t> rows;
  for (const QModelIndex& index : list_->selectionModel()->selectedRows()) {
    rows.push_back(static_cast<size_t>(index.row()));
  }
  const QModelIndex current = list_->selectionModel()->currentIndex();
  browser_.Choose(
      rows, current.isValid() ? std::optional<size_t>(static_cast<size_t>(current.row())) : std::nullopt);
  ShowDetail();
}

void CWordBookWindow::RemoveChosen() {
  const WordBookBrowser::Removal removal = browser_.RemoveChosen();
  ShowList();
  if (!removal.error.empty()) {
    ShowStatus(LoadString(ids::kWordBookNotChanged).arg(QString::fromStdString(removal.error)));
  } else if (removal.removed > 0) {
    ShowStatus(LoadString(ids::kWordBookRemoved).arg(removal.removed));
  }
  if (removal.removed > 0) emit wordBookChanged();
}

void CWordBookWindow::Undo() {
  if (!browser_.CanUndo()) return;
  const WordBookBrowser::Removal undone = browser_.Undo();
  ShowList();
  if (!undone.error.empty()) {
    ShowStatus(LoadString(ids::kWordBookNotChanged).arg(QString::fromStdString(undone.error)));
  } else {
    ShowStatus(LoadString(ids::kWordBookRestored).arg(undone.removed));
  }
  if (undone.removed > 0) emit wordBookChanged();
}

void CWordBookWindow::Export(bool all) {
  const std::vector<wordbook::KeptEntry> entries = browser_.EntriesToExport(all);
  const platform::SavedFile saved = platform::ShowSaveFileDialog(
      {this, LoadString(ids::kWordBookExportTitle), LoadString(ids::kWordBookExportFilter),
       QDir::home().filePath(QString::fromUtf16(kExportName))});
  if (saved.path.isEmpty()) return;
  const wordbook::ExportFormat format = ExportFormatAt(saved.filterIndex);
  const std::filesystem::path path = ExportPath(LocalPath(saved.path), format);
  const QString shown = ToQString(path.u16string());
  if (const std::optional<std::string> error = WriteExportFile(path, format, entries, {})) {
    ShowStatus(LoadString(ids::kWordBookNotExported).arg(shown, QString::fromStdString(*error)));
  } else {
    ShowStatus(LoadString(ids::kWordBookExported).arg(entries.size()).arg(shown));
  }
}

void CWordBookWindow::SendToAnki() {
  std::vector<wordbook::KeptEntry> entries = browser_.EntriesToExport(false);
  if (entries.empty()) return;
  auto* dialog = new CAnkiSendDialog(std::move(entries), settings_, ankiPort_, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->open();
}

bool CWordBookWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (watched == filter_) {
    switch (key->key()) {
      case Qt::Key_Down:
      case Qt::Key_Return:
      case Qt::Key_Enter:
        list_->setFocus();
        return true;
      default:
        break;
    }
  } else if (watched == list_) {
    switch (key->key()) {
      case Qt::Key_Up:
        if (list_->currentIndex().row() > 0) break;
        filter_->setFocus();
        return true;
      case Qt::Key_Delete:
        RemoveChosen();
        return true;
      default:
        break;
    }
  }
  if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
    keyPressEvent(const_cast<QKeyEvent*>(key));
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void CWordBookWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (filter_->text().isEmpty()) {
    close();
  } else {
    filter_->clear();
    filter_->setFocus();
  }
}

void CWordBookWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // Another program, or the main window, may have kept or removed entries meanwhile.
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Reload();
}

}  // namespace tavlex
