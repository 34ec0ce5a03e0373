#pragma once

#include "io/io_failure.h"
#include "processing/project_failure.h"
#include "rewrite/rewrite_failure.h"
#include "text/text_failure.h"

#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace qf {

/// One failure, of whichever layer raised it: the files (IoFailure), their
/// text (TextFailure), the rewrite (RewriteFailure), or the project and its
/// group (ProjectFailure). A value: it is copied, compared and rendered,
/// by one renderer per front end (the command line's in English, the
/// report's and the window's in Chinese).
using Failure = std::variant<IoFailure, TextFailure, RewriteFailure, ProjectFailure>;

/// The file a failure concerns, as the user named it.
const std::string& FailedFile(const Failure& failure);
/// The line (from 1) where it applies; 0 when it concerns the whole file.
std::uint64_t FailedLine(const Failure& failure);
/// Its kind's name in machine-readable reports ("decode", "wrong-extension").
std::string_view FailureKindName(const Failure& failure);

/// `pattern` with each "{name}" in it replaced by `value(name)`: how the
/// front ends' tables of texts (one per language) put a failure's
/// particulars into its words.
template <typename Char, typename Value>
std::basic_string<Char> FillIn(std::basic_string_view<Char> pattern, Value&& value) {
  std::basic_string<Char> text;
  for (std::size_t at = 0; at < pattern.size();) {
    const std::size_t open = pattern.find(Char('{'), at);
    const std::size_t close =
        open == pattern.npos ? pattern.npos : pattern.find(Char('}'), open + 1);
    if (close == pattern.npos) {
      text += pattern.substr(at);
      break;
    }
    text += pattern.substr(at, open - at);
    text += value(pattern.substr(open + 1, close - open - 1));
    at = close + 1;
  }
  return text;
}

/// The failure being handled, as a Failure. Call it only inside a catch
/// block that caught a FailureErrorBase.
Failure HandledFailure();

/// Runs `body`; returns the failure it raised, or nothing. Running out of
/// memory is a failure too (OutOfMemory, naming `file`).
template <typename Body> std::optional<Failure> Trap(Body&& body, std::string_view file = {}) {
  try {
    body();
  } catch (const FailureErrorBase&) {
    return HandledFailure();
  } catch (const std::bad_alloc&) {
    return ProjectFailure{ProjectFailureKind::OutOfMemory, std::string(file)};
  }
  return std::nullopt;
}

} // namespace qf
