#include "io/io_failure.h"
#include "io/utf.h"

#include <windows.h>

namespace qf {

std::string SystemErrorText(SystemError systemError) {
  if (systemError.Code == 0)
    return {};
  const auto error = static_cast<DWORD>(systemError.Code);
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (length == 0 || buffer == nullptr)
    return "Windows error " + std::to_string(error);
  std::u16string text(reinterpret_cast<const char16_t*>(buffer), length);
  ::LocalFree(buffer);
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ' ||
                           text.back() == u'.' || text.back() == u'\u3002'))
    text.pop_back();
  return Utf16ToUtf8(text);
}

SystemError LastSystemError() {
  return {static_cast<int>(::GetLastError())};
}

} // namespace qf
