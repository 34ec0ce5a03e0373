#include "text/utf.h"

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

} // namespace qf
