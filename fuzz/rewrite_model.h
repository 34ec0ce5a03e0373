#pragma once

#include "rewrite/rewrite_pass.h"
#include "settings/processing_settings.h"
#include "text/code_page.h"

#include <cstdint>
#include <string>
#include <string_view>

/// A second, plain reading of the rewrite rules, for the rewrite harness to
/// hold the pass against. It shares nothing with the pass but the code page
/// (ICU) and the comment-block builder, which has a harness of its own: it
/// splits the whole input into lines up front, decodes every line it
/// reaches, tests keywords on an upper-cased copy, and counts levels in
/// plain ints, checking each step against the 16-bit range. Slow and
/// simple, and meant to stay so.
namespace qf::fuzz {

struct ModelResult {
  bool Failed = false;          ///< the pass must stop with a failure...
  std::uint64_t FailedLine = 0; ///< ...at this line
  RewriteOutcome Outcome = RewriteOutcome::Rewritten;
  bool MarkerWritten = false;
  std::string Text; ///< what the pass writes (AsItGoes), when it does not fail
};

ModelResult ModelRewrite(std::string_view input, const ProcessingSettings& settings,
                         CodePage& codePage);

} // namespace qf::fuzz
