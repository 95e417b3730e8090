// What the tests of the lookup view share: a stand-in for the frame that
// counts the settings-changed messages it is posted, delivering what is
// posted, and the texts the result display shows.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QStringList>
#include <QWidget>

#include "platform/messages.h"
#include "ui/editor.h"
#include "view/lookup_view.h"

namespace tavlex::testing {

class FrameStandIn : public QWidget {
 public:
  int settingsChanged = 0;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == platform::MessageEvent::Type()) {
      ++settingsChanged;
      return true;
    }
    return QWidget::event(event);
  }
};

// Delivers what is posted, and what that posts in turn (a change message posts a search).
inline void Settle() {
  for (int round = 0; round < 3; ++round) QApplication::sendPostedEvents();
}

// The texts of the result display's paragraphs.
inline QStringList Shown(const CLookupView& view) {
  QStringList texts;
  for (const auto& paragraph : view.resultDisplay()->paragraphs()) texts << paragraph.text;
  return texts;
}

}  // namespace tavlex::testing
