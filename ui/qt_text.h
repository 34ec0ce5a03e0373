#pragma once

#include <QString>
#include <string>
#include <string_view>

/// The core works in std::u16string; the window in QString. Both are
/// UTF-16, so the conversion copies and never changes a code unit.
namespace qf::ui {

inline QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u16string ToU16(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                        static_cast<std::size_t>(text.size()));
}

/// How a text with CR LF line ends reads back from a Qt text box ("\n").
inline QString AsShown(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace qf::ui
