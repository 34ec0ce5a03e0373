#pragma once

#include "rewrite/rewrite_pass.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qf {

/// A run of comment lines that the rewrite pass holds back while it cannot
/// yet tell whether they are a comment block (see own_block): each line's own
/// bytes, spaces and all, its number in the source, and its text trimmed.
/// Bounded by its caller (a run too long is let go as comments).
class HeldRun {
public:
  struct Line {
    std::size_t At;
    std::size_t Size;
    std::uint64_t Number;
    bool Ascii;
  };

  bool Empty() const noexcept { return lines_.empty(); }
  std::size_t Size() const noexcept { return lines_.size(); }
  std::size_t Bytes() const noexcept { return bytes_.size(); }
  const Line& operator[](std::size_t i) const { return lines_[i]; }
  const std::vector<std::u16string>& Texts() const noexcept { return texts_; }

  /// Adds a line: its own bytes, its number, whether it is plain ASCII, and
  /// its text trimmed of spaces.
  void Add(std::string_view raw, std::uint64_t number, bool ascii, std::u16string_view text);
  /// The line's own bytes.
  std::string_view Raw(std::size_t i) const {
    return std::string_view(bytes_).substr(lines_[i].At, lines_[i].Size);
  }
  /// The line's bytes trimmed of spaces.
  std::string_view Trimmed(std::size_t i) const;
  /// Lets the first `count` lines go.
  void Drop(std::size_t count);
  void Clear() { Drop(lines_.size()); }

  /// Tells `trace` how `block` (lines each ending in CR LF), written in
  /// place of the lines held, stands to them: the lines alike at its start
  /// and its end (trimmed) kept, those between dropped and added. Returns
  /// whether every line is alike.
  bool TellReplaced(std::string_view block, RewriteTrace* trace) const;

private:
  std::vector<Line> lines_;
  std::string bytes_;
  std::vector<std::u16string> texts_;
};

} // namespace qf
