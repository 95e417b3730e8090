// What the tests of the lookup view share: three registered dictionaries, a
// stand-in for the frame that counts the settings-changed messages it is
// posted, delivering what is posted, and the texts the result display shows.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QStringList>
#include <QWidget>
#include <fstream>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "tests/support/test_dictionaries.h"
#include "ui/editor.h"
#include "view/lookup_view.h"

namespace tavlex::testing {

// Dictionaries a.dic, b.dic and c.dic in dir, each with the headword "go"
// translated by its own name, and dir/tavlex.ini listing them in that order,
// b as a dictionary of irregular forms, then the lines of more. Their paths.
inline std::vector<std::u16string> WriteThreeRegistered(const TempDir& dir, const std::string& more = "") {
  std::vector<std::u16string> paths;
  std::ofstream ini(dir.path() / "tavlex.ini");
  ini << "[dictionary]\n";
  for (const char* name : {"a", "b", "c"}) {
    const std::u16string tag(name, name + 1);
    paths.push_back(WriteTestDictionary(dir, std::string(name) + ".dic", {{u"go", u"", 0, tag, u"", u""}}));
    ini << "dic" << paths.size() << "=" << std::filesystem::path(paths.back()).string() << "\n";
  }
  ini << "[" << std::filesystem::path(paths[1]).string() << "]\nirreg=1\n" << more;
  return paths;
}

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
