#include "text/source_error.h"

#include <system_error>

namespace qf {
namespace {

std::string Compose(const std::string& file, std::uint64_t line, const std::string& cause) {
  std::string text = file;
  if (line != 0)
    text += ":" + std::to_string(line);
  text += ": ";
  text += cause;
  return text;
}

} // namespace

SourceError::SourceError(std::string file, std::uint64_t line, std::string cause)
    : std::runtime_error(Compose(file, line, cause)), file_(std::move(file)), line_(line),
      cause_(std::move(cause)) {}

std::string SystemErrorText(int error) {
  return std::generic_category().message(error);
}

} // namespace qf
