#include "processing/failure.h"

#include <array>

namespace qf {

std::string_view KindName(ProjectFailureKind kind) {
  static constexpr std::array<std::string_view, kProjectFailureKinds> kNames = {
      "entry-without-name",    "entry-without-file", "too-many-entries",
      "project-file-listed",   "wrong-extension",    "group-without-project",
      "group-project-missing", "group-lists-itself", "group-entry-not-project",
      "out-of-memory"};
  return kNames[static_cast<std::size_t>(kind)];
}

const std::string& FailedFile(const Failure& failure) {
  return std::visit([](const auto& f) -> const std::string& { return f.File; }, failure);
}

std::uint64_t FailedLine(const Failure& failure) {
  return std::visit([](const auto& f) { return f.Line; }, failure);
}

std::string_view FailureKindName(const Failure& failure) {
  return std::visit([](const auto& f) { return KindName(f.Kind); }, failure);
}

Failure HandledFailure() {
  try {
    throw;
  } catch (const FailureError<IoFailure>& error) {
    return error.Get();
  } catch (const FailureError<TextFailure>& error) {
    return error.Get();
  } catch (const FailureError<RewriteFailure>& error) {
    return error.Get();
  } catch (const FailureError<ProjectFailure>& error) {
    return error.Get();
  }
}

} // namespace qf
