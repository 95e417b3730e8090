// Conversions between the engine's UTF-16 strings and Qt's.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tavlex {

inline QString ToQString(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// A view of text's characters; valid while text is neither changed nor destroyed.
inline std::u16string_view ToU16View(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())};
}

inline std::u16string ToU16String(const QString& text) { return std::u16string(ToU16View(text)); }

}  // namespace tavlex
