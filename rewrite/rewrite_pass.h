#pragma once

#include "io/byte_stream.h"
#include "settings/processing_settings.h"
#include "text/code_page.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qf {

/// The longest line VB6 loads, in bytes: a continued header is joined only
/// where its joined line is no longer.
inline constexpr std::size_t kLongestVb6Line = 1023;
/// The most blanks VB6 loads before a line's text: the indentation is cut
/// there.
inline constexpr std::size_t kMostLeadingBlanks = 256;

/// The comment line that marks a processed file. It is written once, at
/// column 1, directly before the first line of code; a file whose code part
/// begins with it is never rewritten again.
inline constexpr std::string_view kMarkerLine = "'Quillformer By Vendelmark";

/// How a rewrite ended.
enum class RewriteOutcome {
  Rewritten,        ///< the whole file was read and its rewrite written
  AlreadyProcessed, ///< the file carries the marker line; the rewrite was abandoned
};

/// Told, line by line in the order written, where each line the pass writes
/// comes from (the alignment of a rewrite with its source, which a diff
/// shows), and when the file can no longer turn out to be processed. Each
/// notice does nothing unless overridden.
class RewriteTrace {
public:
  virtual ~RewriteTrace() = default;
  /// The pass wrote `count` lines of its own: the marker line, or a comment
  /// block.
  virtual void Added(std::size_t /*count*/, bool /*marker*/) {}
  /// The pass wrote one line made from the source's lines `first` to `last`
  /// (from 1; several for a header continued over several lines).
  virtual void Kept(std::uint64_t /*first*/, std::uint64_t /*last*/) {}
  /// The designer header is over and the code begins: the file does not
  /// carry the marker line, and its rewrite will be complete.
  virtual void CodeStarts() {}
  /// A line's indentation was more than kMostLeadingBlanks and was cut
  /// there; told once per file.
  virtual void IndentCapped() {}
};

/// Rewrites one source file, read from `source`, into `sink`: the designer
/// header indented by three spaces per Begin/End level, the marker line
/// before the first code line, the code indented by the settings' indent
/// width per block level, a comment block above every Sub and Function
/// declaration. Every line written ends with CR LF.
///
/// Apart from the spaces at its ends and its line break, every line goes
/// out as its own bytes; only a continued procedure header is joined into
/// one line. The pass streams: it holds one line (and one continued header)
/// at a time.
///
/// Returns AlreadyProcessed as soon as the marker line ends the designer
/// header (what was written so far is incomplete; less than 256 KiB of it
/// has reached `sink`), Rewritten after the whole source. Raises a failure (FailureError) naming
/// `name` and the line when a line does not decode in `codePage`, a level leaves the 16-bit range,
/// or a read or write fails. `trace`, if given, hears of every line.
RewriteOutcome RewriteStream(ByteSource& source, ByteSink& sink, const std::string& name,
                             const ProcessingSettings& settings, CodePage& codePage,
                             RewriteTrace* trace = nullptr);

} // namespace qf
