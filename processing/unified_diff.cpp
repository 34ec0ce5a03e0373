#include "processing/unified_diff.h"

#include "io/utf.h"

#include <algorithm>

namespace qf {
namespace {

constexpr std::size_t kContext = 3;

/// "-12,3" as diff writes a range: a single line without its count, an
/// empty range at the line before it.
std::string Range(char sign, std::uint64_t start, std::uint64_t count) {
  std::string range(1, sign);
  range += std::to_string(count == 0 ? start - 1 : start);
  if (count != 1)
    range += "," + std::to_string(count);
  return range;
}

} // namespace

UnifiedDiff::UnifiedDiff(ByteSource& original, CodePage& codePage, ByteSink& hunks,
                         FileSystem& files)
    : original_(original), codePage_(codePage), hunks_(hunks), files_(files) {}

void UnifiedDiff::Write(std::string_view bytes) {
  written_.erase(0, writtenAt_); // what is left is a line not yet complete
  writtenAt_ = 0;
  written_.append(bytes);
  if (!started_) {
    // A byte-order mark is kept where it stood, and is no line's: the
    // file's own reader leaves it out of its first line too.
    if (written_.size() < 3 && bytes.size() != 0)
      return;
    started_ = true;
    if (written_.starts_with("\xEF\xBB\xBF"))
      writtenAt_ = 3;
  }
  Advance();
}

void UnifiedDiff::Added(std::size_t count, bool) {
  steps_.push_back({0, 0, count});
}

void UnifiedDiff::Kept(std::uint64_t first, std::uint64_t last) {
  steps_.push_back({first, last, 0});
}

void UnifiedDiff::Dropped(std::uint64_t first, std::uint64_t last) {
  steps_.push_back({first, last, 0, true});
}

bool UnifiedDiff::NextWritten(std::string_view& line) {
  const std::size_t end = written_.find("\r\n", writtenAt_);
  if (end == std::string::npos)
    return false;
  line = std::string_view(written_).substr(writtenAt_, end - writtenAt_);
  writtenAt_ = end + 2;
  return true;
}

/// A step is taken once all its written lines have come; the source's lines
/// it stands for are read then.
void UnifiedDiff::Advance() {
  while (!steps_.empty()) {
    Step& step = steps_.front();
    std::string_view written;
    if (step.Dropped) {
      std::string_view read;
      for (std::uint64_t n = step.First; n <= step.Last && original_.Next(read); ++n)
        Take(Event::Removed, read, !original_.LineEnded());
    } else if (step.First == 0) {
      for (; step.Added != 0 && NextWritten(written); --step.Added)
        Take(Event::Added, written);
      if (step.Added != 0)
        return;
    } else {
      if (!NextWritten(written))
        return;
      std::string_view read;
      if (step.First == step.Last && original_.Next(read) && read == written &&
          original_.LineEnded()) {
        Take(Event::Same, read);
      } else {
        if (step.First == step.Last) {
          Take(Event::Removed, read, !original_.LineEnded());
        } else {
          for (std::uint64_t n = step.First; n <= step.Last && original_.Next(read); ++n)
            Take(Event::Removed, read, !original_.LineEnded());
        }
        Take(Event::Added, written);
      }
    }
    steps_.pop_front();
  }
}

std::string UnifiedDiff::Shown(char sign, std::string_view bytes) {
  std::string line(1, sign);
  try {
    line += Utf16ToUtf8(codePage_.Decode(bytes, decoded_));
  } catch (const DecodeFault&) {
    line += Utf16ToUtf8(u"\uFFFD"); // the rewrite read every line, so none should
  }
  line += '\n';
  return line;
}

void UnifiedDiff::Take(Event event, std::string_view bytes, bool noNewline) {
  if (event != Event::Same)
    return Change(event, bytes, noNewline);
  ++oldLine_;
  ++newLine_;
  if (!inHunk_) {
    before_.push_back(Shown(' ', bytes));
    if (before_.size() > kContext)
      before_.pop_front();
    return;
  }
  after_.push_back(Shown(' ', bytes));
  // Two changes further apart than twice the context make two hunks.
  if (after_.size() == 2 * kContext + 1) {
    CloseHunk(kContext);
    before_.assign(after_.end() - kContext, after_.end());
    after_.clear();
  }
}

void UnifiedDiff::Change(Event event, std::string_view bytes, bool noNewline) {
  changed_ = true;
  if (!inHunk_) {
    inHunk_ = true;
    body_.emplace(files_);
    oldStart_ = oldLine_ - before_.size();
    newStart_ = newLine_ - before_.size();
    oldCount_ = newCount_ = before_.size();
    for (const std::string& line : before_)
      body_->Write(line);
    before_.clear();
  }
  for (const std::string& line : after_)
    body_->Write(line);
  oldCount_ += after_.size();
  newCount_ += after_.size();
  after_.clear();
  if (event == Event::Removed) {
    body_->Write(Shown('-', bytes));
    if (noNewline)
      body_->Write("\\ No newline at end of file\n");
    ++oldLine_;
    ++oldCount_;
  } else {
    body_->Write(Shown('+', bytes));
    ++newLine_;
    ++newCount_;
  }
}

/// Writes the hunk with the first `context` same lines after its last
/// change.
void UnifiedDiff::CloseHunk(std::size_t context) {
  context = std::min(context, after_.size());
  for (std::size_t i = 0; i < context; ++i)
    body_->Write(after_[i]);
  oldCount_ += context;
  newCount_ += context;
  hunks_.Write("@@ " + Range('-', oldStart_, oldCount_) + " " + Range('+', newStart_, newCount_) +
               " @@\n");
  body_->CopyTo(hunks_);
  body_.reset();
  inHunk_ = false;
}

bool UnifiedDiff::Finish() {
  Advance();
  if (inHunk_)
    CloseHunk(kContext);
  std::string_view rest;
  while (original_.Next(rest))
    changed_ = true; // lines the rewrite did not take (it takes them all)
  return changed_ || original_.OtherBreaks() != 0;
}

} // namespace qf
