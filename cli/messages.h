#pragma once

#include "text/failure.h"

#include <iosfwd>
#include <string_view>

namespace qf::cli {

/// The program's name, which begins every message it writes.
inline constexpr std::string_view kProgram = "quillformer-cli";

/// Writes a failure as the command line tells it, on one line of standard
/// error: "quillformer-cli: FILE:LINE: cause". The one place failures are
/// rendered for the command line.
void PrintFailure(std::ostream& err, const Failure& failure);

/// Writes a notice or warning: "quillformer-cli: TEXT".
void PrintNotice(std::ostream& err, std::string_view text);

} // namespace qf::cli
