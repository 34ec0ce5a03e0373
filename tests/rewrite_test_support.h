#pragma once

#include "cli/failure_english.h"
#include "io/file_system.h"
#include "processing/failure.h"
#include "rewrite/rewrite_pass.h"
#include "settings/processing_settings.h"

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace qf::test {

/// Joins lines, each followed by CR LF.
std::string Lines(std::initializer_list<std::string_view> lines);

/// The result of one in-memory rewrite.
struct Rewritten {
  RewriteOutcome Result = RewriteOutcome::Rewritten;
  std::string Text;
};

/// Rewrites `input` (bytes in `codePage`) in memory.
Rewritten Rewrite(std::string_view input, const ProcessingSettings& settings = {},
                  std::string_view codePage = "CP936");

/// Checks that `input` rewrites to `expected` and that the rewrite is
/// stable: the lines the pass does not add come out as they went in, less
/// their spaces at the ends, and a rewritten file that carries the marker is
/// refused as already processed when fed back in.
void VerifyRewrite(std::string_view input, std::string_view expected,
                   const ProcessingSettings& settings = {}, std::string_view codePage = "CP936");

/// The header block of a declaration with the start-up separators, each
/// line followed by CR LF, from its inner lines (UTF-8), in CP936.
std::string HeaderBlock(std::initializer_list<std::string_view> innerLines);

/// Rewrites the file at `path` in place as a real run does (opened, staged,
/// sealed, committed). Raises the run's failures.
RewriteOutcome RewriteInPlace(const std::filesystem::path& path, const ProcessingSettings& settings,
                              CodePage& codePage, FileSystem& files = RealFileSystem());

/// The failure `body` raises, in English as the command line writes it;
/// "no failure" when it raises none.
template <typename Body> std::string FailureText(Body&& body) {
  const std::optional<Failure> failure = Trap(std::forward<Body>(body));
  return failure ? cli::DescribeInEnglish(*failure) : "no failure";
}

} // namespace qf::test
