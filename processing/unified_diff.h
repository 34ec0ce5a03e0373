#pragma once

#include "io/byte_stream.h"
#include "io/spool.h"
#include "rewrite/rewrite_pass.h"
#include "text/code_page.h"
#include "text/line_reader.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qf {

/// Makes the unified diff of a file and its rewrite while the rewrite is
/// made: the hunks, with three lines of context, every line decoded from
/// the code page into UTF-8 and written without its line break, the way
/// `git diff` writes them ("@@ -1,4 +1,6 @@", then lines that begin with
/// " ", "-", "+" or "\ No newline at end of file"), each followed by "\n".
///
/// The diff is not searched for: the rewrite tells, line by line, which
/// source lines each line it writes comes from (its RewriteTrace notices),
/// so the edit is known exactly. The rewrite's bytes come through Write();
/// the file's own lines from `original`, a second read of the file, taken
/// in step. Time is linear in the file; memory holds a few lines, and the
/// hunk being made is kept in a Spool (a scratch file of `files` when it
/// is long) until it is complete and goes to `hunks`.
/// Applying the diff to the decoded file gives the decoded rewrite.
class UnifiedDiff final : public ByteSink, public RewriteTrace {
public:
  UnifiedDiff(ByteSource& original, CodePage& codePage, ByteSink& hunks, FileSystem& files);

  void Write(std::string_view bytes) override;
  void Added(std::size_t count, bool marker) override;
  void Kept(std::uint64_t first, std::uint64_t last) override;
  void Dropped(std::uint64_t first, std::uint64_t last) override;

  /// Once the rewrite is complete: writes the last hunk and reads the file
  /// to its end. Returns whether the rewrite differs from the file in any
  /// byte (a line break other than CR LF counts, though it shows in no
  /// hunk).
  bool Finish();

private:
  enum class Event : std::uint8_t { Same, Removed, Added };
  /// What the rewrite did, in the order it wrote: lines of its own, or a
  /// line made from a run of the source's lines.
  struct Step {
    std::uint64_t First = 0; ///< from 1; 0 for lines of its own
    std::uint64_t Last = 0;
    std::size_t Added = 0;
    bool Dropped = false; ///< the source's lines First to Last went, and nothing for them
  };

  /// Takes the steps whose written lines have come.
  void Advance();
  /// The next complete line of the rewrite, if it has come.
  bool NextWritten(std::string_view& line);
  void Take(Event event, std::string_view bytes, bool noNewline = false);
  void Change(Event event, std::string_view bytes, bool noNewline);
  void CloseHunk(std::size_t context);
  std::string Shown(char sign, std::string_view bytes);

  LineReader original_;
  CodePage& codePage_;
  ByteSink& hunks_;
  FileSystem& files_;
  std::deque<Step> steps_;
  std::string written_; ///< rewrite bytes not yet taken
  std::size_t writtenAt_ = 0;
  std::u16string decoded_;
  bool changed_ = false;
  bool started_ = false; ///< the rewrite's first bytes have been looked at

  // The hunk being made.
  std::deque<std::string> before_; ///< outside a hunk: the last same lines, shown
  std::vector<std::string> after_; ///< inside: same lines since the last change, shown
  std::optional<Spool> body_;      ///< the hunk's lines so far
  bool inHunk_ = false;
  std::uint64_t oldLine_ = 1; ///< the next event's line in each text
  std::uint64_t newLine_ = 1;
  std::uint64_t oldStart_ = 0;
  std::uint64_t oldCount_ = 0;
  std::uint64_t newStart_ = 0;
  std::uint64_t newCount_ = 0;
};

} // namespace qf
