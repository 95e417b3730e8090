#include "view/font_cache.h"

#include <memory>

#include "ui/japanese_font.h"

namespace tavlex {

FontHandle FontCache::GetFont(const QString& face, int size) {
  if (face.isEmpty()) return nullptr;
  for (const CachedFont& entry : entries_) {
    if (entry.face == face && entry.size == size) return entry.font;
  }
  QFont font(face);
  // A size the platform cannot make is kept as asked and drawn at the default size.
  if (size > 0) font.setPointSize(size);
  entries_.push_back({face, size, std::make_shared<const QFont>(JapaneseFallback(font))});
  return entries_.back().font;
}

}  // namespace tavlex
