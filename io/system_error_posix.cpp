#include "io/io_failure.h"

#include <cerrno>
#include <system_error>

namespace qf {

std::string SystemErrorText(SystemError error) {
  return error.Code == 0 ? std::string() : std::generic_category().message(error.Code);
}

SystemError LastSystemError() {
  return {errno};
}

} // namespace qf
