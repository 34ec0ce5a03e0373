#include "processing/source_header.h"

#include "text/ascii.h"

#include <algorithm>
#include <string>
#include <vector>

namespace qf {
namespace {

/// The whole lines of `start` (without their CR LF or LF), and the last
/// one unended where `start` is all of the file.
std::vector<std::string_view> LinesOf(std::string_view start, bool whole) {
  std::vector<std::string_view> lines;
  while (!start.empty()) {
    const std::size_t end = start.find('\n');
    if (end == std::string_view::npos) {
      if (whole)
        lines.push_back(start);
      break;
    }
    std::string_view line = start.substr(0, end);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    lines.push_back(line);
    start.remove_prefix(end + 1);
  }
  return lines;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return ascii::Upper(x) == ascii::Upper(y);
         });
}

/// A file opened and begun: the bytes read first, then the rest of it.
class ReplayedFile final : public OpenedFile {
public:
  ReplayedFile(std::string start, std::unique_ptr<OpenedFile> file)
      : start_(std::move(start)), file_(std::move(file)) {}

  std::size_t Read(char* buffer, std::size_t size) override {
    if (next_ == start_.size())
      return file_->Read(buffer, size);
    const std::size_t n = std::min(size, start_.size() - next_);
    std::copy_n(start_.data() + next_, n, buffer);
    next_ += n;
    return n;
  }
  const FileFacts& Facts() const noexcept override { return file_->Facts(); }

private:
  std::string start_;
  std::size_t next_ = 0;
  std::unique_ptr<OpenedFile> file_;
};

} // namespace

bool StartsAsKind(FileKind kind, std::string_view name, std::string_view start) {
  const FileKindInfo& info = InfoOf(kind);
  const std::vector<std::string_view> lines = LinesOf(start, start.size() < kHeaderBytes);
  if (lines.empty())
    return false;
  if (kind == FileKind::Module)
    return lines[0].starts_with(info.FirstLine) &&
           SameIgnoringAsciiCase(lines[0].substr(info.FirstLine.size()),
                                 "\"" + std::string(name) + "\"");
  if (lines[0] != info.FirstLine)
    return false;
  if (info.Designer.empty())
    return true;
  std::size_t next = 1;
  while (next < lines.size() && lines[next].starts_with("Object = "))
    ++next;
  return next < lines.size() && lines[next].starts_with(info.Designer) &&
         lines[next].size() > info.Designer.size() && lines[next][info.Designer.size()] == ' ';
}

std::unique_ptr<OpenedFile> WithKindHeader(FileKind kind, std::string_view name,
                                           std::unique_ptr<OpenedFile> file) {
  std::string start(kHeaderBytes, '\0');
  std::size_t read = 0;
  while (read < start.size()) {
    const std::size_t n = file->Read(start.data() + read, start.size() - read);
    if (n == 0)
      break;
    read += n;
  }
  start.resize(read);
  if (!StartsAsKind(kind, name, start))
    return nullptr;
  return std::make_unique<ReplayedFile>(std::move(start), std::move(file));
}

} // namespace qf
