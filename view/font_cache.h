// FontCache: the view's fonts by face name and point size, created on first
// use and kept for the view's life. Paragraphs of the result display refer to
// these fonts without owning them, so the cache must outlive what it hands out.
#pragma once

#include <QFont>
#include <QString>
#include <memory>
#include <vector>

namespace tavlex {

class FontCache {
 public:
  FontCache() = default;
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // The font of that face and size; nullptr for an empty face name, which
  // stands for the display's default font. Faces compare exactly.
  const QFont* GetFont(const QString& face, int size);

  size_t size() const { return entries_.size(); }

 private:
  struct CachedFont {
    QString face;
    int size;
    QFont font;
  };
  std::vector<std::unique_ptr<CachedFont>> entries_;  // stable addresses
};

}  // namespace tavlex
