#include "ui/scroll_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/device.h"
#include "platform/messages.h"
#include "resources/resource_ids.h"
#include "ui/dialog_menu_bar.h"
#include "ui/screen_fit.h"
#include "ui/scroll_codes.h"

namespace tavlex {
namespace {

// The height of a line of controls: the first text field as laid out (a
// field made by its size hint where there is none) and the space below it.
int LineOfControls(const QWidget& content) {
  const auto* first = content.findChild<QLineEdit*>();
  int height = first ? first->height() : 0;
  if (height <= 0) {
    QLineEdit field;
    field.setFont(content.font());
    height = field.sizeHint().height();
  }
  return height + (content.layout() ? std::max(content.layout()->spacing(), 0) : 0);
}

}  // namespace

CScrollDialog::CScrollDialog(QWidget* parent, ScrollBar bar) : QDialog(parent), barShown_(bar) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* area = new QHBoxLayout;
  area->setSpacing(0);
  viewport_ = new QWidget(this);
  viewport_->setObjectName(QStringLiteral("clientArea"));
  viewport_->installEventFilter(this);
  content_ = new QWidget(viewport_);
  content_->setObjectName(QStringLiteral("controls"));
  scrollBar_ = new QScrollBar(Qt::Vertical, this);
  scrollBar_->setObjectName(QStringLiteral("dialogScrollBar"));
  scrollBar_->setEnabled(false);
  scrollBar_->setVisible(bar == ScrollBar::kAlwaysShown);
  // Its own menu ("Scroll here", "Top", "Bottom") would move the thumb but not the controls.
  scrollBar_->setContextMenuPolicy(Qt::NoContextMenu);
  area->addWidget(viewport_, 1);
  area->addWidget(scrollBar_);
  layout->addLayout(area, 1);
  connect(scrollBar_, &QAbstractSlider::actionTriggered, this, &CScrollDialog::OnScrollBarAction);
  // Its own wheel handling moves the thumb a pixel or three.
  scrollBar_->installEventFilter(this);
}

void CScrollDialog::ShowMenuBar(const std::vector<MenuItem>& menu) {
  static_cast<QVBoxLayout*>(layout())->addWidget(CreateDialogMenuBar(this, menu));
}

void CScrollDialog::accept() {
  if (SaveFields()) QDialog::accept();
}

void CScrollDialog::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) OnInitDialog();
  QDialog::showEvent(event);
}

void CScrollDialog::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  RefitWhenFramed(this, fittedFrame_);
}

void CScrollDialog::OnInitDialog() {
  fittedFrame_ = {};  // each showing is fitted to its frame again
  LoadFields();
  content_->adjustSize();
  if (content_->layout()) content_->layout()->activate();
  const QSize controls = content_->size();
  int lowestBottom = 0;
  for (const QWidget* child : content_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    lowestBottom = std::max(lowestBottom, child->geometry().y() + child->geometry().height());
  }
  scroller_.Measure(lowestBottom);
  lineHeight_ = LineOfControls(*content_);
  content_->move(0, 0);
  WatchControls();
  // As tall as the controls need, but never taller than the screen.
  const int chrome = height() - viewport_->height();
  resize(FitToScreen(this, QSize(std::max(width(), controls.width() + scrollBar_->sizeHint().width()),
                                 scroller_.contentHeight() + chrome)));
  layout()->activate();
  // The range rests on what was just measured, not on the previous showing.
  OnSize(viewport_->height());
}

void CScrollDialog::WatchControls() {
  for (QWidget* control : content_->findChildren<QWidget*>()) {
    control->removeEventFilter(this);
    control->installEventFilter(this);
  }
}

bool CScrollDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel) return OnWheel(static_cast<QWheelEvent*>(event));
  if (watched == viewport_) {
    if (event->type() == QEvent::Resize) {
      // As tall as the controls want, or the client area where that is taller: a
      // dialog made smaller again gathers its controls back, below it when need be.
      content_->resize(viewport_->width(), std::max(content_->sizeHint().height(), viewport_->height()));
      OnSize(viewport_->height());
    }
    return false;
  }
  if (watched == scrollBar_) return false;
  const int device = platform::DeviceClass();
  if (event->type() == QEvent::FocusIn && device == platform::kTouchScreenDevice) {
    // Posted: the scroll runs after the focus change has completed.
    platform::PostMessage(this, ids::kWmFocusNotice, 0, reinterpret_cast<qintptr>(watched));
  }
  if (device == platform::kKeypadDevice &&
      (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    // The Back key: a Backspace press and release for the focused field.
    if (event->type() == QEvent::KeyPress) {
      QCoreApplication::postEvent(watched,
                                  new QKeyEvent(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier));
      QCoreApplication::postEvent(watched,
                                  new QKeyEvent(QEvent::KeyRelease, Qt::Key_Backspace, Qt::NoModifier));
    }
    return true;
  }
  return false;
}

bool CScrollDialog::event(QEvent* event) {
  if (event->type() == platform::MessageEvent::Type()) {
    const auto* message = static_cast<platform::MessageEvent*>(event);
    if (message->message() == ids::kWmVScroll) {
      OnVScroll(static_cast<int>(message->wParam() & 0xFFFF), static_cast<int>(message->wParam() >> 16));
    } else if (message->message() == ids::kWmFocusNotice) {
      // The control may have gone since the notice was posted: only a live one is used.
      const auto* posted = reinterpret_cast<QObject*>(message->lParam());
      for (QWidget* control : content_->findChildren<QWidget*>()) {
        if (control == posted) OnControlFocused(control);
      }
    }
    return true;
  }
  return QDialog::event(event);
}

void CScrollDialog::OnSize(int clientHeight) {
  if (platform::DeviceClass() != platform::kTouchScreenDevice) return;
  const DialogScroller::Range range = scroller_.Resize(clientHeight);
  scrollBar_->setRange(0, range.max);
  scrollBar_->setPageStep(range.page);
  scrollBar_->setValue(scroller_.scrollOffset());
  scrollBar_->setEnabled(range.max > 0);
  if (barShown_ == ScrollBar::kShownWhenNeeded) scrollBar_->setVisible(range.max > 0);
  content_->move(0, -scroller_.scrollOffset());
}

void CScrollDialog::OnVScroll(int code, int position) {
  if (platform::DeviceClass() != platform::kTouchScreenDevice) return;
  if (scroller_.Scroll(code, position)) ShowScrollOffset();
}

void CScrollDialog::ShowScrollOffset() {
  scrollBar_->setSliderPosition(scroller_.scrollOffset());
  content_->move(0, -scroller_.scrollOffset());
}

void CScrollDialog::wheelEvent(QWheelEvent* event) {
  if (!OnWheel(event)) QDialog::wheelEvent(event);
}

bool CScrollDialog::OnWheel(const QWheelEvent* event) {
  if (platform::DeviceClass() != platform::kTouchScreenDevice || scroller_.range().max == 0) return false;
  // A notch is 120; turned away from the user, the wheel brings the controls above into view.
  constexpr int kNotch = 120, kLinesPerNotch = 3;
  if (scroller_.ScrollBy(-event->angleDelta().y() * kLinesPerNotch * lineHeight_ / kNotch))
    ShowScrollOffset();
  return true;  // at an end too: the wheel does not fall through to a control under the pointer
}

void CScrollDialog::OnScrollBarAction(int action) {
  // The scroller decides where the thumb goes, not the bar.
  const int position = scrollBar_->sliderPosition();
  scrollBar_->setSliderPosition(scroller_.scrollOffset());
  OnVScroll(ScrollCodeForAction(action), position);
}

void CScrollDialog::OnControlFocused(QWidget* control) {
  const QRect client = viewport_->rect();
  const QRect rect(control->mapTo(viewport_, QPoint(0, 0)), control->size());
  const std::optional<int> target =
      DialogScroller::FocusTarget(client, rect, scrollBar_->value(), scrollBar_->maximum());
  if (!target) return;
  platform::PostMessage(this, ids::kWmVScroll, SB_THUMBPOSITION | (*target << 16));
}

}  // namespace tavlex
