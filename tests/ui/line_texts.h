// The text of every laid-out line, as UTF-8, so that a failing comparison
// prints readable lines.
#pragma once

#include <string>
#include <vector>

#include "ui/editor_layout.h"

namespace tavlex {

inline std::vector<std::string> LineTexts(const EditorLayout& layout) {
  std::vector<std::string> texts;
  for (const DisplayLine& line : layout.lines()) {
    texts.push_back(layout.paragraphs()[line.paragraph].text.mid(line.first, line.count).toStdString());
  }
  return texts;
}

}  // namespace tavlex
