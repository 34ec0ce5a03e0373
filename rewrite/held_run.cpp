#include "rewrite/held_run.h"

#include "text/ascii.h"

#include <algorithm>

namespace qf {

void HeldRun::Add(std::string_view raw, std::uint64_t number, bool ascii,
                  std::u16string_view text) {
  lines_.push_back({bytes_.size(), raw.size(), number, ascii});
  bytes_ += raw;
  texts_.emplace_back(text);
}

std::string_view HeldRun::Trimmed(std::size_t i) const {
  return ascii::TrimSpaces(Raw(i));
}

void HeldRun::Drop(std::size_t count) {
  const auto n = static_cast<std::ptrdiff_t>(count);
  lines_.erase(lines_.begin(), lines_.begin() + n);
  texts_.erase(texts_.begin(), texts_.begin() + n);
  if (lines_.empty())
    bytes_.clear();
}

bool HeldRun::TellReplaced(std::string_view block, RewriteTrace* trace) const {
  std::vector<std::string_view> made;
  for (std::size_t at = 0; at < block.size();) {
    const std::size_t end = block.find("\r\n", at);
    made.push_back(block.substr(at, end - at));
    at = end + 2;
  }
  const std::size_t held = lines_.size();
  const std::size_t least = std::min(held, made.size());
  std::size_t start = 0;
  while (start < least && Trimmed(start) == made[start])
    ++start;
  std::size_t end = 0;
  while (end < least - start && Trimmed(held - 1 - end) == made[made.size() - 1 - end])
    ++end;
  if (trace != nullptr) {
    for (std::size_t i = 0; i < start; ++i)
      trace->Kept(lines_[i].Number, lines_[i].Number);
    if (start + end < held)
      trace->Dropped(lines_[start].Number, lines_[held - 1 - end].Number);
    if (start + end < made.size())
      trace->Added(made.size() - start - end, false);
    for (std::size_t i = held - end; i < held; ++i)
      trace->Kept(lines_[i].Number, lines_[i].Number);
  }
  return start == held && held == made.size();
}

} // namespace qf
