#include "io/utf.h"

#include <stdexcept>
#include <unicode/ustring.h>

namespace qf {

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out(utf8.size(), u'\0');
  int32_t length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strFromUTF8(out.data(), static_cast<int32_t>(out.size()), &length, utf8.data(),
                static_cast<int32_t>(utf8.size()), &error);
  if (U_FAILURE(error))
    throw std::invalid_argument("the text is not valid UTF-8");
  out.resize(static_cast<std::size_t>(length));
  return out;
}

std::u16string Utf8ToUtf16Lenient(std::string_view utf8) {
  std::u16string out(utf8.size(), u'\0');
  int32_t length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strFromUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, utf8.data(),
                       static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &error);
  out.resize(U_SUCCESS(error) ? static_cast<std::size_t>(length) : 0);
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out(utf16.size() * 3, '\0');
  int32_t length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, utf16.data(),
                     static_cast<int32_t>(utf16.size()), 0xFFFD, nullptr, &error);
  out.resize(U_SUCCESS(error) ? static_cast<std::size_t>(length) : 0);
  return out;
}

std::size_t CompleteUtf8Length(std::string_view bytes) {
  // The last lead byte among the last four, and how long its sequence is.
  const std::size_t size = bytes.size();
  for (std::size_t back = 1; back <= 4 && back <= size; ++back) {
    const auto byte = static_cast<unsigned char>(bytes[size - back]);
    if ((byte & 0xC0) == 0x80)
      continue; // a continuation byte
    const std::size_t length = byte >= 0xF8   ? 1
                               : byte >= 0xF0 ? 4
                               : byte >= 0xE0 ? 3
                               : byte >= 0xC0 ? 2
                                              : 1;
    return length > back ? size - back : size;
  }
  return size;
}

} // namespace qf
