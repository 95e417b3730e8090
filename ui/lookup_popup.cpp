#include "ui/lookup_popup.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

#include "resources/icon.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"
#include "ui/editor.h"

namespace tavlex {

CLookupPopup::CLookupPopup() {
  setObjectName(QStringLiteral("lookupPopup"));
  // A tool window: kept off the task bar, and drawn without the window
  // manager's frame, so that it looks like a pop-up beside the text it explains.
  setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setWindowTitle(LoadString(ids::kPopupTitle));
  setWindowIcon(ProgramIcon());
  setFrameStyle(QFrame::Box | QFrame::Plain);

  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("popupWord"));
  heading_->setTextFormat(Qt::RichText);
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  // As wide as the buttons leave, whatever the word: a long one is cut to fit.
  heading_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  heading_->installEventFilter(this);
  hint_ = new QLabel(this);
  hint_->setObjectName(QStringLiteral("popupHint"));
  hint_->setWordWrap(true);
  hint_->hide();
  auto* open = new QPushButton(LoadString(ids::kOpenInWindow), this);
  open->setObjectName(QStringLiteral("openInWindow"));
  open->setFocusPolicy(Qt::NoFocus);  // the keys stay with the results
  connect(open, &QPushButton::clicked, this, &CLookupPopup::openInWindowRequested);
  auto* keep = new QPushButton(LoadString(ids::kKeepInWordBook), this);
  keep->setObjectName(QStringLiteral("keepInWordBook"));
  keep->setFocusPolicy(Qt::NoFocus);
  connect(keep, &QPushButton::clicked, this, &CLookupPopup::keepRequested);
  auto* close = new QToolButton(this);
  close->setObjectName(QStringLiteral("closePopup"));
  close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  close->setAutoRaise(true);
  close->setFocusPolicy(Qt::NoFocus);
  connect(close, &QToolButton::clicked, this, &QWidget::close);
  display_ = new CEditor(this);
  display_->setObjectName(QStringLiteral("popupDisplay"));
  setFocusProxy(display_);

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  layout->addWidget(heading_, 0, 0);
  layout->addWidget(keep, 0, 1);
  layout->addWidget(open, 0, 2);
  layout->addWidget(close, 0, 3);
  layout->addWidget(hint_, 1, 0, 1, 4);
  layout->addWidget(display_, 2, 0, 1, 4);
  layout->setColumnStretch(0, 1);
  layout->setRowStretch(2, 1);
}

void CLookupPopup::ShowFor(const QString& word, const QRect& geometry,
                           const platform::WindowActivation& activation) {
  word_ = word;
  MarkCovered(0, 0);
  SetHint(QString());
  display_->Clear();
  display_->Layout();
  // One size however it opens: a compositor that tiles floats a window
  // whose smallest and largest sizes are the same.
  setFixedSize(geometry.size());
  setGeometry(geometry);
  platform::BringToFront(this, activation);
  display_->setFocus();
}

void CLookupPopup::MarkCovered(int begin, int end) {
  const int size = static_cast<int>(word_.size());
  coveredBegin_ = std::clamp(begin, 0, size);
  coveredEnd_ = std::clamp(end, coveredBegin_, size);
  ShowHeading();
}

void CLookupPopup::ShowHeading() {
  // The marked part only changes the background, so the plain word in the
  // heading's font measures the rich text.
  const QString elided =
      heading_->fontMetrics().elidedText(word_, Qt::ElideRight, heading_->contentsRect().width());
  const bool cut = elided != word_;
  const int kept = cut ? static_cast<int>(elided.size()) - 1 : static_cast<int>(word_.size());  // before "…"
  const QString ellipsis = cut ? elided.right(1) : QString();
  const int begin = std::min(coveredBegin_, kept);
  const int end = std::min(coveredEnd_, kept);
  if (begin == end) {
    heading_->setText((word_.left(kept) + ellipsis).toHtmlEscaped());
    return;
  }
  const QPalette& colours = palette();
  heading_->setText(QStringLiteral("%1<span style=\"background-color:%3; color:%4\">%2</span>%5")
                        .arg(word_.left(begin).toHtmlEscaped(), word_.mid(begin, end - begin).toHtmlEscaped(),
                             colours.color(QPalette::Highlight).name(),
                             colours.color(QPalette::HighlightedText).name(),
                             (word_.mid(end, kept - end) + ellipsis).toHtmlEscaped()));
}

void CLookupPopup::SetHint(const QString& hint) {
  hint_->setText(hint);
  hint_->setVisible(!hint.isEmpty());
}

QString CLookupPopup::hint() const { return hint_->text(); }

bool CLookupPopup::event(QEvent* event) {
  // A click in another window, or another window coming up, closes it.
  if (event->type() == QEvent::WindowDeactivate && isVisible()) close();
  return QFrame::event(event);
}

bool CLookupPopup::eventFilter(QObject* watched, QEvent* event) {
  if (watched == heading_ && event->type() == QEvent::Resize) ShowHeading();
  return QFrame::eventFilter(watched, event);
}

void CLookupPopup::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      close();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      emit openInWindowRequested();
      return;
    case Qt::Key_D:
      if (event->modifiers() == Qt::ControlModifier) {
        emit keepRequested();
        return;
      }
      QFrame::keyPressEvent(event);
      return;
    default:
      QFrame::keyPressEvent(event);
  }
}

}  // namespace tavlex
