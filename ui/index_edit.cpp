#include "ui/index_edit.h"

#include "resources/resource_ids.h"
#include "ui/placeholder_colour.h"

namespace tavlex {

CIndexEdit::CIndexEdit(QWidget* parent) : CMyEdit(parent) {
  setObjectName(QStringLiteral("searchEdit"));
  // Posted, not sent: the parent reacts after the edit has finished its own work.
  connect(this, &QLineEdit::textChanged, this,
          [this] { platform::PostMessage(parentWidget(), ids::kWmUser); });
  connect(this, &CMyEdit::compositionChanged, this, [this](bool composing) {
    platform::PostMessage(parentWidget(), ids::kWmComposing, composing ? 1 : 0);
  });
  ColourPlaceholder();
}

void CIndexEdit::changeEvent(QEvent* event) {
  CMyEdit::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) ColourPlaceholder();
}

void CIndexEdit::ColourPlaceholder() {
  QPalette colours = palette();
  // From the palette the box inherits: its own holds the colour set last time.
  const QColor readable = ReadablePlaceholder(parentWidget() ? parentWidget()->palette() : colours);
  // Setting it changes the palette again: only a different colour is set.
  if (colours.color(QPalette::PlaceholderText) == readable) return;
  colours.setColor(QPalette::PlaceholderText, readable);
  setPalette(colours);
}

}  // namespace tavlex
