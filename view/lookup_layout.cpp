#include "view/lookup_layout.h"

namespace tavlex {
namespace {

constexpr int kMargin = 2;

}  // namespace

LookupLayout ComputeLookupLayout(QSize client, int textHeight) {
  const int h = (14 * (textHeight + 2)) / 10;
  const int width = client.width() - 2 * kMargin;
  return {QRect(kMargin, kMargin, width, h - kMargin),
          QRect(kMargin, h + kMargin, width, client.height() - h - 2 * kMargin)};
}

}  // namespace tavlex
