#include "ui/palette_follower.h"

#include <QEvent>

namespace tavlex {
namespace {

// Owned by the widget it watches.
class PaletteFollower : public QObject {
 public:
  PaletteFollower(QWidget* widget, QPalette::ColorRole role, std::function<QColor(const QPalette&)> colour)
      : QObject(widget), widget_(widget), role_(role), colour_(std::move(colour)) {
    widget->installEventFilter(this);
    Follow();
  }

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::PaletteChange) Follow();
    return false;
  }

 private:
  void Follow() {
    QPalette colours = widget_->palette();
    // From the palette the widget inherits: its own holds the colour set last time.
    const QColor wanted = colour_(widget_->parentWidget() ? widget_->parentWidget()->palette() : colours);
    // Setting it changes the palette again: only a different colour is set.
    if (colours.color(role_) == wanted) return;
    colours.setColor(role_, wanted);
    widget_->setPalette(colours);
  }

  QWidget* widget_;
  QPalette::ColorRole role_;
  std::function<QColor(const QPalette&)> colour_;
};

}  // namespace

void FollowPalette(QWidget* widget, QPalette::ColorRole role, std::function<QColor(const QPalette&)> colour) {
  new PaletteFollower(widget, role, std::move(colour));
}

}  // namespace tavlex
