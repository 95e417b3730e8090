#include "ui/index_edit.h"

#include "resources/resource_ids.h"
#include "ui/palette_follower.h"
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
  FollowPalette(this, QPalette::PlaceholderText, ReadablePlaceholder);
}

}  // namespace tavlex
