// Readable failure messages for Qt strings and rectangles in GoogleTest assertions.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

inline void PrintTo(const QStringList& texts, std::ostream* out) {
  *out << "{ ";
  for (const QString& text : texts) {
    PrintTo(text, out);
    *out << ' ';
  }
  *out << '}';
}

inline void PrintTo(const QRect& rect, std::ostream* out) {
  *out << rect.x() << ',' << rect.y() << ' ' << rect.width() << 'x' << rect.height();
}
