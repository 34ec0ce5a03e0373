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

namespace detail {
constexpr bool StartsWith(std::u16string_view text, const char16_t* key, std::size_t n) noexcept {
  if (text.size() < n)
    return false;
  for (std::size_t i = 0; i < n; ++i)
    if (UpperAscii(text[i]) != key[i])
      return false;
  return true;
}
} // namespace detail

// The keywords are string literals; taking them as arrays gives their
// length at compile time (a u16string_view would count it on every test).

/// The first N - 1 characters of `text`, upper-cased, equal `key`.
template <std::size_t N>
constexpr bool StartsWith(std::u16string_view text, const char16_t (&key)[N]) noexcept {
  return detail::StartsWith(text, key, N - 1);
}

/// StartsWith(), and the character after the key, if any, is no word
/// character: "PUBLIC SUB" starts "Public Sub Go()" but not "Public Subtotal".
template <std::size_t N>
constexpr bool StartsWithWord(std::u16string_view text, const char16_t (&key)[N]) noexcept {
  return StartsWith(text, key) && (text.size() == N - 1 || !IsWordChar(text[N - 1]));
}

/// The whole text, upper-cased, equals `key`.
template <std::size_t N>
constexpr bool Is(std::u16string_view text, const char16_t (&key)[N]) noexcept {
  return text.size() == N - 1 && StartsWith(text, key);
}

/// The last N - 1 characters of `text`, upper-cased, equal `key`.
template <std::size_t N>
constexpr bool EndsWith(std::u16string_view text, const char16_t (&key)[N]) noexcept {
  return text.size() >= N - 1 && StartsWith(text.substr(text.size() - (N - 1)), key);
}

/// Index of the first place where `text`, upper-cased, holds `key`, or npos.
template <std::size_t N>
constexpr std::size_t Find(std::u16string_view text, const char16_t (&key)[N]) noexcept {
  static_assert(N > 1, "an empty keyword");
  for (std::size_t i = 0; i + (N - 1) <= text.size(); ++i)
    if (detail::StartsWith(text.substr(i), key, N - 1))
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
