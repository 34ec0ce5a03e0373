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
/// begins with it is never rewritten again, unless the settings ask for an
/// update (ProcessingSettings::Update): then it is tidied again and keeps it.
inline constexpr std::string_view kMarkerLine = "'Quillformer By Vendelmark";

/// How a rewrite ended.
enum class RewriteOutcome {
  Rewritten,        ///< the whole file was read and its rewrite written
  AlreadyProcessed, ///< the file carries the marker line; the rewrite was abandoned
};

/// What a rewrite that knows its own comment blocks (ProcessingSettings::
/// TidiesAgain) did with the block of one procedure.
enum class BlockFate : std::uint8_t {
  Added,     ///< it had none: one was written
  Rebuilt,   ///< the program's block, written anew from today's declaration, and different
  Unchanged, ///< the program's block, which came out the same (spaces at its ends aside)
  Kept,      ///< a block a person changed: kept byte for byte, none added
};

/// What a rewrite that knows its own work found in one file: whether it
/// met the marker line, and the fate of each procedure's block.
struct RevisitAccount {
  bool MarkerMet = false;
  std::size_t Added = 0;
  std::size_t Rebuilt = 0;
  std::size_t Unchanged = 0;
  std::size_t Kept = 0;

  void Count(BlockFate fate) {
    switch (fate) {
    case BlockFate::Added:
      ++Added;
      return;
    case BlockFate::Rebuilt:
      ++Rebuilt;
      return;
    case BlockFate::Unchanged:
      ++Unchanged;
      return;
    case BlockFate::Kept:
      ++Kept;
      return;
    }
  }
  /// Whether the file held the program's work: the marker line, or a block.
  bool Revisited() const { return MarkerMet || Rebuilt + Unchanged + Kept != 0; }
  bool operator==(const RevisitAccount&) const = default;
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
  /// The pass dropped the source's lines `first` to `last` (from 1): a
  /// comment block of its own, which it writes anew.
  virtual void Dropped(std::uint64_t /*first*/, std::uint64_t /*last*/) {}
  /// The designer header is over and the code begins: the file does not
  /// carry the marker line (or an update met it), and its rewrite will be
  /// complete.
  virtual void CodeStarts() {}
  /// An update met the marker line, which stays: the file is tidied again.
  virtual void MarkerMet() {}
  /// What became of a procedure's comment block; told only where the pass
  /// knows its own blocks (ProcessingSettings::TidiesAgain).
  virtual void Block(BlockFate /*fate*/) {}
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
/// Where the settings say it may meet its own work (TidiesAgain), a run of
/// comment lines that begins with a frame line (or a line that reads as a
/// block's) directly above a declaration
/// is looked at (own_block): the program's block is written anew from the
/// declaration; a block a person changed is kept byte for byte and none is
/// added; anything else is comments, laid out as any. Without blocks
/// (WriteBlocks false) such a run is kept as it stands.
///
/// Apart from the spaces at its ends and its line break, every line goes
/// out as its own bytes; only a continued procedure header is joined into
/// one line. The pass streams: it holds one line (and one continued header)
/// at a time.
///
/// Returns AlreadyProcessed, unless the settings ask for an update, as soon
/// as the marker line ends the designer header (what was written so far is incomplete; less than
/// 256 KiB of it has reached `sink`), Rewritten after the whole source. Raises a failure
/// (FailureError) naming `name` and the line when a line does not decode in `codePage`, a level
/// leaves the 16-bit range, or a read or write fails. `trace`, if given, hears of every line.
RewriteOutcome RewriteStream(ByteSource& source, ByteSink& sink, const std::string& name,
                             const ProcessingSettings& settings, CodePage& codePage,
                             RewriteTrace* trace = nullptr);

} // namespace qf
