#include "io/io_failure.h"

#include <array>

namespace qf {

std::string_view KindName(IoFailureKind kind) {
  static constexpr std::array<std::string_view, kIoFailureKinds> kNames = {
      "open",  "not-a-file", "read",      "create",        "permissions",         "write",  "flush",
      "close", "replace",    "read-only", "foreign-owner", "temporary-is-folder", "changed"};
  return kNames[static_cast<std::size_t>(kind)];
}

void RaiseIoFailure(IoFailureKind kind, std::string file, SystemError error) {
  Raise(IoFailure{kind, std::move(file), 0, FileType::Other, error});
}

} // namespace qf
