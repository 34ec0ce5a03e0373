#pragma once

#include <exception>
#include <utility>

namespace qf {

/// The one type every failure is thrown as, whatever its layer: catch it to
/// stop on any failure; processing/failure.h turns the one in hand into a
/// Failure. Its what() says only that a failure was raised: failures are
/// rendered in words by each front end, never here.
class FailureErrorBase : public std::exception {
public:
  const char* what() const noexcept override { return "failure"; }
};

/// A failure of one layer's kinds (IoFailure, TextFailure, ...) on its way
/// to whoever handles it.
template <typename Particulars> class FailureError final : public FailureErrorBase {
public:
  explicit FailureError(Particulars failure) : failure_(std::move(failure)) {}
  const Particulars& Get() const noexcept { return failure_; }

private:
  Particulars failure_;
};

/// Throws `failure` as a FailureError.
template <typename Particulars> [[noreturn]] void Raise(Particulars failure) {
  throw FailureError<Particulars>(std::move(failure));
}

} // namespace qf
