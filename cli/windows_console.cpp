#include "cli/windows_console.h"

#include "io/utf.h"

#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

namespace qf::cli {
namespace {

/// Writes before a flush collect up to this much.
constexpr std::size_t kBufferSize = 1 << 16;

bool WriteAll(HANDLE handle, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) == 0)
      return false;
    bytes.remove_prefix(written);
  }
  return true;
}

bool WriteAllToConsole(HANDLE handle, std::u16string_view text) {
  while (!text.empty()) {
    DWORD written = 0;
    if (::WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ==
            0 ||
        written == 0)
      return false;
    text.remove_prefix(written);
  }
  return true;
}

} // namespace

std::vector<std::string> CommandLineArguments() {
  int count = 0;
  wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; words != nullptr && i < count; ++i) {
    const std::wstring word = words[i];
    arguments.push_back(Utf16ToUtf8(std::u16string(word.begin(), word.end())));
  }
  ::LocalFree(words);
  return arguments;
}

ConsoleBuffer::ConsoleBuffer(StandardHandle which)
    : handle_(
          ::GetStdHandle(which == StandardHandle::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE)) {
  DWORD mode = 0;
  console_ = ::GetConsoleMode(handle_, &mode) != 0;
}

ConsoleBuffer::~ConsoleBuffer() {
  Flush(true);
}

ConsoleBuffer::int_type ConsoleBuffer::overflow(int_type byte) {
  if (traits_type::eq_int_type(byte, traits_type::eof()))
    return sync() == 0 ? traits_type::not_eof(byte) : traits_type::eof();
  pending_.push_back(traits_type::to_char_type(byte));
  if (pending_.size() >= kBufferSize && !Flush())
    return traits_type::eof();
  return byte;
}

std::streamsize ConsoleBuffer::xsputn(const char* bytes, std::streamsize count) {
  pending_.append(bytes, static_cast<std::size_t>(count));
  if (pending_.size() >= kBufferSize && !Flush())
    return 0;
  return count;
}

int ConsoleBuffer::sync() {
  return Flush() ? 0 : -1;
}

bool ConsoleBuffer::Flush(bool all) {
  if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) {
    pending_.clear(); // no standard output at all (a program started without one)
    return true;
  }
  if (!console_) {
    const bool written = WriteAll(handle_, pending_);
    pending_.clear();
    return written;
  }
  const std::size_t complete = all ? pending_.size() : CompleteUtf8Length(pending_);
  const bool written = WriteAllToConsole(
      handle_, Utf8ToUtf16Lenient(std::string_view(pending_).substr(0, complete)));
  pending_.erase(0, complete);
  return written;
}

} // namespace qf::cli
