#include "ui/qt_text_measurer.h"

#include <QFontMetrics>
#include <QString>

namespace tavlex {

QSize QtTextMeasurer::Extent(const QFont* font, QStringView text) const {
  const QFontMetrics metrics(font ? *font : display_.font(), &display_);
  // Wrapping measures many prefixes of one paragraph; borrowing the
  // characters instead of copying them keeps each measurement allocation-free.
  const QString run = QString::fromRawData(text.data(), text.size());
  return {metrics.horizontalAdvance(run), metrics.height()};
}

}  // namespace tavlex
