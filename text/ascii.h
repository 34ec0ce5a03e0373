#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>
#include <type_traits>

/// Keyword tests on text whose keywords are ASCII. A keyword is given in
/// upper case; the text is compared with only its ASCII letters upper-cased.
/// Every test works on decoded text (char16_t, counting UTF-16 code units)
/// and on the bytes of a plain-ASCII line (char), with the same result.
namespace qf::ascii {

/// A character as a number: a char is taken as an unsigned byte.
constexpr char32_t CodeOf(char c) noexcept {
  return static_cast<unsigned char>(c);
}
constexpr char32_t CodeOf(char16_t c) noexcept {
  return c;
}

/// `c` with an ASCII lower-case letter made upper-case.
template <typename Char> constexpr char32_t Upper(Char c) noexcept {
  const char32_t code = CodeOf(c);
  return (code >= U'a' && code <= U'z') ? code - (U'a' - U'A') : code;
}

/// `c` with an ASCII lower-case letter made upper-case.
constexpr char16_t UpperAscii(char16_t c) noexcept {
  return static_cast<char16_t>(Upper(c));
}

/// A letter, digit or underscore of ASCII, or any character beyond ASCII.
template <typename Char> constexpr bool IsWordChar(Char c) noexcept {
  const char32_t code = CodeOf(c);
  return code >= 0x80 || (code >= U'0' && code <= U'9') || (code >= U'A' && code <= U'Z') ||
         (code >= U'a' && code <= U'z') || code == U'_';
}

namespace detail {
template <typename Char>
constexpr bool StartsWith(std::basic_string_view<Char> text, const char16_t* key,
                          std::size_t n) noexcept {
  if (text.size() < n)
    return false;
  for (std::size_t i = 0; i < n; ++i)
    if (Upper(text[i]) != key[i])
      return false;
  return true;
}
} // namespace detail

// The keywords are string literals; taking them as arrays gives their
// length at compile time (a u16string_view would count it on every test).

/// The first N - 1 characters of `text`, upper-cased, equal `key`.
template <typename Char, std::size_t N>
constexpr bool StartsWith(std::basic_string_view<Char> text, const char16_t (&key)[N]) noexcept {
  return detail::StartsWith(text, key, N - 1);
}

/// StartsWith(), and the character after the key, if any, is no word
/// character: "PUBLIC SUB" starts "Public Sub Go()" but not "Public Subtotal".
template <typename Char, std::size_t N>
constexpr bool StartsWithWord(std::basic_string_view<Char> text,
                              const char16_t (&key)[N]) noexcept {
  return StartsWith(text, key) && (text.size() == N - 1 || !IsWordChar(text[N - 1]));
}

/// The whole text, upper-cased, equals `key`.
template <typename Char, std::size_t N>
constexpr bool Is(std::basic_string_view<Char> text, const char16_t (&key)[N]) noexcept {
  return text.size() == N - 1 && StartsWith(text, key);
}

/// The last N - 1 characters of `text`, upper-cased, equal `key`.
template <typename Char, std::size_t N>
constexpr bool EndsWith(std::basic_string_view<Char> text, const char16_t (&key)[N]) noexcept {
  return text.size() >= N - 1 && StartsWith(text.substr(text.size() - (N - 1)), key);
}

/// Index of the first place where `text`, upper-cased, holds `key`, or npos.
template <typename Char, std::size_t N>
constexpr std::size_t Find(std::basic_string_view<Char> text, const char16_t (&key)[N]) noexcept {
  static_assert(N > 1, "an empty keyword");
  constexpr std::size_t npos = std::basic_string_view<Char>::npos;
  if (text.size() < N - 1)
    return npos;
  const std::size_t last = text.size() - (N - 1);
  const bool letter = key[0] >= u'A' && key[0] <= u'Z';
  for (std::size_t i = 0; i <= last; ++i) {
    if (!letter) {
      // Jump to the next place the first character stands (memchr for bytes).
      i = text.find(static_cast<Char>(key[0]), i);
      if (i == npos || i > last)
        return npos;
    }
    if (detail::StartsWith(text.substr(i), key, N - 1))
      return i;
  }
  return npos;
}

/// `text` without the space characters (U+0020 only) at its ends.
template <typename Char>
constexpr std::basic_string_view<Char> TrimSpaces(std::basic_string_view<Char> text) noexcept {
  std::size_t begin = 0;
  std::size_t end = text.size();
  if constexpr (sizeof(Char) == 1) {
    // Indentation runs long: skip it eight spaces at a time.
    if (!std::is_constant_evaluated())
      while (end - begin >= 8 && std::memcmp(text.data() + begin, "        ", 8) == 0)
        begin += 8;
  }
  while (begin < end && text[begin] == Char(' '))
    ++begin;
  while (end > begin && text[end - 1] == Char(' '))
    --end;
  return text.substr(begin, end - begin);
}

/// Widens `bytes` into `out` (room for as many characters) if they are all
/// ASCII; returns false, with `out` partly written, if they are not.
bool WidenIfAscii(std::string_view bytes, char16_t* out) noexcept;

} // namespace qf::ascii
