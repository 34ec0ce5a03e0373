#pragma once

#include <string>
#include <string_view>

namespace qf {

/// UTF-8 to UTF-16. Throws std::invalid_argument on bytes that are not UTF-8.
std::u16string Utf8ToUtf16(std::string_view utf8);

/// UTF-8 to UTF-16, each byte that is not UTF-8 becoming U+FFFD (for
/// messages, whose file names may be any bytes).
std::u16string Utf8ToUtf16Lenient(std::string_view utf8);

/// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

/// The length of the longest start of `bytes` that does not end inside a
/// UTF-8 sequence: what a writer of UTF-16 can convert now, while the rest
/// waits for the bytes that complete it. Bytes that are not UTF-8 count as
/// complete (they become U+FFFD).
std::size_t CompleteUtf8Length(std::string_view bytes);

} // namespace qf
