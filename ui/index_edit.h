// CIndexEdit: the search box. Every change of its text, typed or set by the
// program, posts the search-text-changed message to its parent. Its hint
// (the search mode's name) keeps a readable colour in every palette.
#pragma once

#include "ui/my_edit.h"

namespace tavlex {

class CIndexEdit : public CMyEdit {
  Q_OBJECT

 public:
  explicit CIndexEdit(QWidget* parent);
};

}  // namespace tavlex
