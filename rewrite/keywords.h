#pragma once

#include <cstddef>
#include <string_view>

/// The keyword tests of the rewrite pass. A keyword is given in upper case;
/// the text is compared with only its ASCII letters upper-cased, counting
/// UTF-16 code units.
namespace qf::keywords {

constexpr char16_t UpperAscii(char16_t c) noexcept {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

/// A letter, digit or underscore of ASCII, or any character beyond ASCII.
constexpr bool IsWordChar(char16_t c) noexcept {
  return c >= 0x80 || (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') ||
         (c >= u'a' && c <= u'z') || c == u'_';
}

/// The first key.size() characters of `text`, upper-cased, equal `key`.
constexpr bool StartsWith(std::u16string_view text, std::u16string_view key) noexcept {
  if (text.size() < key.size())
    return false;
  for (std::size_t i = 0; i < key.size(); ++i)
    if (UpperAscii(text[i]) != key[i])
      return false;
  return true;
}

/// StartsWith(), and the character after the key, if any, is no word
/// character: "PUBLIC SUB" starts "Public Sub Go()" but not "Public Subtotal".
constexpr bool StartsWithWord(std::u16string_view text, std::u16string_view key) noexcept {
  return StartsWith(text, key) && (text.size() == key.size() || !IsWordChar(text[key.size()]));
}

/// The whole text, upper-cased, equals `key`.
constexpr bool Is(std::u16string_view text, std::u16string_view key) noexcept {
  return text.size() == key.size() && StartsWith(text, key);
}

/// The last key.size() characters of `text`, upper-cased, equal `key`.
constexpr bool EndsWith(std::u16string_view text, std::u16string_view key) noexcept {
  return text.size() >= key.size() && StartsWith(text.substr(text.size() - key.size()), key);
}

/// Index of the first place where `text`, upper-cased, holds `key`, or npos.
constexpr std::size_t Find(std::u16string_view text, std::u16string_view key) noexcept {
  if (key.empty() || text.size() < key.size())
    return key.empty() ? 0 : std::u16string_view::npos;
  for (std::size_t i = 0; i + key.size() <= text.size(); ++i)
    if (StartsWith(text.substr(i), key))
      return i;
  return std::u16string_view::npos;
}

/// `text` without the space characters (U+0020 only) at its ends.
template <typename Char>
constexpr std::basic_string_view<Char> TrimSpaces(std::basic_string_view<Char> text) noexcept {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] == Char(' '))
    ++begin;
  while (end > begin && text[end - 1] == Char(' '))
    --end;
  return text.substr(begin, end - begin);
}

} // namespace qf::keywords
