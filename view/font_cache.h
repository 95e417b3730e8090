// FontCache: the view's fonts by face name and point size, created on first
// use and kept for the view's life. The fonts are shared with the paragraphs
// that are drawn in them, so a paragraph keeps its font whatever goes first.
#pragma once

#include <QFont>
#include <QString>
#include <vector>

#include "ui/editor_layout.h"

namespace tavlex {

class FontCache {
 public:
  FontCache() = default;
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // The font of that face and size; null for an empty face name, which
  // stands for the display's default font. Faces compare exactly.
  FontHandle GetFont(const QString& face, int size);

  size_t size() const { return entries_.size(); }

 private:
  struct CachedFont {
    QString face;
    int size;
    FontHandle font;
  };
  std::vector<CachedFont> entries_;
};

}  // namespace tavlex
