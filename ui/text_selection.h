// TextSelection: what is selected in the result display, without a window.
// A selection runs from its anchor (where it began) to its caret (where it is
// now), both places in the display's paragraphs; the mouse and the caret keys
// move the caret, a double click takes a whole word. Its text joins the
// paragraphs it covers with line breaks. A word taken by a double click is
// looked up with the rest of its line, as the start of what is read there, so
// that the look-up finds the longest headword beginning at the word.
#pragma once

#include <QString>
#include <QStringView>
#include <compare>
#include <optional>
#include <utility>
#include <vector>

#include "ui/editor_layout.h"

namespace tavlex {

// A place between two characters of the display's text.
struct TextPlace {
  int paragraph = 0;
  int offset = 0;  // in UTF-16 units, from 0 to the paragraph's length

  auto operator<=>(const TextPlace&) const = default;
};

// [begin, end) of the word of text that holds the character at offset, by
// ICU's word boundaries (Japanese by ICU's dictionary of words); a run of
// spaces or a punctuation mark counts as a word of its own. An offset at the
// end or past it takes the last word; an empty text gives {0, 0}.
std::pair<int, int> WordAround(QStringView text, int offset);

class TextSelection {
 public:
  // Nothing selected, the caret at the start of the text: for a new list.
  void Clear() { Start({}); }
  // A press: anchor and caret at place, nothing selected yet.
  void Start(TextPlace place) {
    anchor_ = caret_ = place;
    word_ = false;
  }
  // The caret moves to place, the anchor stays: a drag or Shift with a key.
  void Extend(TextPlace place) {
    caret_ = place;
    word_ = false;
  }
  // The word around place (WordAround), with its end as the caret.
  void SelectWord(const std::vector<Paragraph>& paragraphs, TextPlace place);

  bool empty() const { return anchor_ == caret_; }
  TextPlace anchor() const { return anchor_; }
  TextPlace caret() const { return caret_; }
  TextPlace begin() const { return std::min(anchor_, caret_); }
  TextPlace end() const { return std::max(anchor_, caret_); }

  // The selected characters of paragraph, which is length long; none when
  // none of them is selected.
  std::optional<MarkRange> OnParagraph(int paragraph, int length) const;
  // The selected text of paragraphs, a line break between two paragraphs.
  // Places past the text are taken as its end.
  QString Text(const std::vector<Paragraph>& paragraphs) const;
  // What a look-up of the selection reads: the text, or for a word taken by
  // a double click, its paragraph from the word on.
  QString LookUpText(const std::vector<Paragraph>& paragraphs) const;

 private:
  TextPlace anchor_;
  TextPlace caret_;
  bool word_ = false;  // taken by SelectWord, and not moved since
};

}  // namespace tavlex
