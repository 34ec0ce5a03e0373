#include "cli/file_diff.h"

#include "cli/terminal_text.h"
#include "io/paths.h"
#include "io/utf.h"
#include "rewrite/rewrite_pass.h"
#include "text/line_reader.h"

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <vector>

namespace qf::cli {
namespace {

constexpr std::uint64_t kContext = 3;

/// One step of the edit, in order: a line of both texts, a line only the
/// file has (removed), a line only the rewrite has (added).
enum class Event : std::uint8_t { Same, Removed, Added };

/// What the rewrite did, in the order it wrote: lines of its own, and lines
/// made from runs of the source's lines.
struct Step {
  std::uint64_t First = 0; ///< the first source line (from 1); 0 for added lines
  std::uint64_t Last = 0;
  std::size_t Added = 0;
};

class StepTrace final : public RewriteTrace {
public:
  void Added(std::size_t count, bool) override { Steps.push_back({0, 0, count}); }
  void Kept(std::uint64_t first, std::uint64_t last) override { Steps.push_back({first, last, 0}); }
  std::vector<Step> Steps;
};

std::string ReadAll(FileSystem& files, const std::filesystem::path& path) {
  const std::unique_ptr<ByteSource> source = files.OpenForReading(path);
  std::string bytes;
  for (std::size_t count = 1; count != 0;) {
    const std::size_t size = bytes.size();
    bytes.resize(size + (1 << 20));
    count = source->Read(bytes.data() + size, 1 << 20);
    bytes.resize(size + count);
  }
  return bytes;
}

/// Whether the text's last line has no line break after it.
bool LastLineUnbroken(std::string_view text) {
  return !text.empty() && text.back() != '\n' && text.back() != '\r';
}

/// The rewrite's lines, one at a time (the pass ends every line with CR LF).
class RewriteLines {
public:
  explicit RewriteLines(std::string_view text) : rest_(text) {}
  std::string_view Next() {
    const std::size_t end = rest_.find("\r\n");
    const std::string_view line = rest_.substr(0, end);
    rest_.remove_prefix(std::min(rest_.size(), end + 2));
    return line;
  }

private:
  std::string_view rest_;
};

/// The source's lines, one at a time, split as the pass splits them.
class SourceLines {
public:
  explicit SourceLines(std::string_view text) : source_(text), reader_(source_) {}
  std::string_view Next() {
    std::string_view line;
    reader_.Next(line);
    return line;
  }
  std::uint64_t Number() const { return reader_.LineNumber(); }

private:
  MemorySource source_;
  LineReader reader_;
};

/// The edit as a list of events: a line the rewrite keeps as it was is the
/// same in both; a line it changes (or joins) is removed and added.
std::vector<Event> EventsOf(const std::vector<Step>& steps, std::string_view original,
                            std::string_view rewrite) {
  // The source's last line without a break changes even where its text
  // stays: the rewrite ends it with one.
  const bool lastUnbroken = LastLineUnbroken(original);
  SourceLines in(original);
  RewriteLines out(rewrite);
  std::vector<Event> events;
  for (const Step& step : steps) {
    if (step.First == 0) {
      for (std::size_t i = 0; i < step.Added; ++i)
        out.Next();
      events.insert(events.end(), step.Added, Event::Added);
      continue;
    }
    const std::string_view written = out.Next();
    if (step.First == step.Last) {
      const std::string_view read = in.Next();
      const bool last = lastUnbroken && in.Number() == steps.back().Last;
      if (read == written && !last) {
        events.push_back(Event::Same);
        continue;
      }
    } else {
      for (std::uint64_t line = step.First; line <= step.Last; ++line)
        in.Next();
    }
    events.insert(events.end(), step.Last - step.First + 1, Event::Removed);
    events.push_back(Event::Added);
  }
  return events;
}

/// A hunk: events [Begin, End), and where it starts in each text (from 1).
struct Hunk {
  std::size_t Begin = 0;
  std::size_t End = 0;
  std::uint64_t OldStart = 0;
  std::uint64_t OldCount = 0;
  std::uint64_t NewStart = 0;
  std::uint64_t NewCount = 0;
};

/// Changes with their context, the context of two changes that lie close
/// together merged into one hunk.
std::vector<Hunk> HunksOf(const std::vector<Event>& events) {
  std::vector<Hunk> hunks;
  std::size_t i = 0;
  while (i < events.size()) {
    while (i < events.size() && events[i] == Event::Same)
      ++i;
    if (i == events.size())
      break;
    Hunk hunk;
    hunk.Begin = i >= kContext ? i - kContext : 0;
    if (!hunks.empty())
      hunk.Begin = std::max(hunk.Begin, hunks.back().End);
    // Extend while the next change is at most two contexts away.
    std::size_t lastChange = i;
    for (std::size_t j = i; j < events.size() && j <= lastChange + 2 * kContext + 1; ++j)
      if (events[j] != Event::Same)
        lastChange = j;
    hunk.End = std::min(events.size(), lastChange + 1 + kContext);
    hunks.push_back(hunk);
    i = lastChange + 1;
  }
  // Where each hunk starts, and its length in each text.
  std::uint64_t oldLine = 1;
  std::uint64_t newLine = 1;
  std::size_t event = 0;
  for (Hunk& hunk : hunks) {
    for (; event < hunk.Begin; ++event) {
      oldLine += events[event] != Event::Added;
      newLine += events[event] != Event::Removed;
    }
    hunk.OldStart = oldLine;
    hunk.NewStart = newLine;
    for (; event < hunk.End; ++event) {
      hunk.OldCount += events[event] != Event::Added;
      hunk.NewCount += events[event] != Event::Removed;
      oldLine += events[event] != Event::Added;
      newLine += events[event] != Event::Removed;
    }
  }
  return hunks;
}

/// "-12,3" as diff writes a range: a single line without its count, an
/// empty range at the line before it.
std::string Range(char sign, std::uint64_t start, std::uint64_t count) {
  std::string range(1, sign);
  range += std::to_string(count == 0 ? start - 1 : start);
  if (count != 1)
    range += "," + std::to_string(count);
  return range;
}

/// The letter of C's escape for `byte` (n for a line feed) where git's
/// quoting of names uses one; 0 for every other byte.
char EscapeLetter(char byte) {
  switch (byte) {
  case '\a':
    return 'a';
  case '\b':
    return 'b';
  case '\t':
    return 't';
  case '\n':
    return 'n';
  case '\v':
    return 'v';
  case '\f':
    return 'f';
  case '\r':
    return 'r';
  case '"':
    return '"';
  case '\\':
    return '\\';
  default:
    return 0;
  }
}

void AppendOctal(std::string& out, char byte) {
  const auto value = static_cast<unsigned char>(byte);
  out += '\\';
  out += static_cast<char>('0' + (value >> 6));
  out += static_cast<char>('0' + ((value >> 3) & 7));
  out += static_cast<char>('0' + (value & 7));
}

/// A name in the diff's headers ("a/" or "b/" and the path) as git writes
/// it: as it is, unless it holds a control character (see
/// Utf8Character::IsControl), a double quote or a backslash; then in double
/// quotes with C's escapes (\n, \t, \", \\, ...) and every other byte of
/// such a character in octal (\033). Other UTF-8 stays as it is (git's
/// core.quotePath=false). So a name cannot end its header line or start
/// another, and `patch -p1` and `git apply` find the file it names.
std::string HeaderName(std::string_view side, std::string_view label) {
  const std::string name = std::string(side) + std::string(label);
  std::string quoted = "\"";
  bool escaped = false;
  for (std::string_view rest = name; !rest.empty();) {
    const Utf8Character character = FirstCharacter(rest);
    const std::string_view bytes = rest.substr(0, character.Length);
    rest.remove_prefix(character.Length);
    const char letter = character.Length == 1 ? EscapeLetter(bytes.front()) : 0;
    if (letter != 0) {
      quoted += '\\';
      quoted += letter;
    } else if (character.IsControl()) {
      for (const char byte : bytes)
        AppendOctal(quoted, byte);
    } else {
      quoted += bytes;
      continue;
    }
    escaped = true;
  }
  return escaped ? quoted + '"' : name;
}

class Printer {
public:
  Printer(std::ostream& out, CodePage& codePage, bool color)
      : out_(out), codePage_(codePage), color_(color) {}

  void Meta(const std::string& line) { Colored("\x1b[1m", line); }
  void HunkHeader(const Hunk& hunk) {
    Colored("\x1b[36m", "@@ " + Range('-', hunk.OldStart, hunk.OldCount) + " " +
                            Range('+', hunk.NewStart, hunk.NewCount) + " @@");
  }
  void Line(char sign, std::string_view bytes) {
    std::string line(1, sign);
    line += Shown(bytes);
    Colored(sign == '-' ? "\x1b[31m" : sign == '+' ? "\x1b[32m" : nullptr, line);
  }
  void NoNewline() { out_ << "\\ No newline at end of file\n"; }

private:
  /// The line's text in UTF-8; bytes that do not decode (the rewrite
  /// already read every line, so none should) show as U+FFFD.
  std::string Shown(std::string_view bytes) {
    try {
      return Utf16ToUtf8(codePage_.Decode(bytes, buffer_));
    } catch (const DecodeFault&) {
      return Utf16ToUtf8(u"\uFFFD");
    }
  }
  void Colored(const char* color, const std::string& line) {
    if (color_ && color != nullptr)
      out_ << color << line << "\x1b[m\n";
    else
      out_ << line << '\n';
  }

  std::ostream& out_;
  CodePage& codePage_;
  bool color_;
  std::u16string buffer_;
};

} // namespace

void WriteFileDiff(std::ostream& out, const std::filesystem::path& path, const std::string& label,
                   const ProcessingSettings& settings, CodePage& codePage, FileSystem& files,
                   bool color) {
  const std::string original = ReadAll(files, path);
  MemorySource source(original);
  StringSink sink;
  StepTrace trace;
  if (RewriteStream(source, sink, PathText(path), settings, codePage, Release::AsItGoes, &trace) !=
      RewriteOutcome::Rewritten)
    return;
  const std::string& rewrite = sink.Text();
  const std::uint64_t sourceLines = trace.Steps.empty() ? 0 : trace.Steps.back().Last;
  const std::vector<Event> events = EventsOf(trace.Steps, original, rewrite);
  trace.Steps = {};
  const std::vector<Hunk> hunks = HunksOf(events);

  Printer printer(out, codePage, color);
  const std::string before = HeaderName("a/", label);
  const std::string after = HeaderName("b/", label);
  printer.Meta("diff --git " + before + " " + after);
  printer.Meta("--- " + before);
  printer.Meta("+++ " + after);
  SourceLines in(original);
  RewriteLines written(rewrite);
  std::size_t event = 0;
  for (const Hunk& hunk : hunks) {
    for (; event < hunk.Begin; ++event) {
      if (events[event] != Event::Added)
        in.Next();
      if (events[event] != Event::Removed)
        written.Next();
    }
    printer.HunkHeader(hunk);
    for (; event < hunk.End; ++event) {
      switch (events[event]) {
      case Event::Same:
        written.Next();
        printer.Line(' ', in.Next());
        break;
      case Event::Removed:
        printer.Line('-', in.Next());
        if (in.Number() == sourceLines && LastLineUnbroken(original))
          printer.NoNewline();
        break;
      case Event::Added:
        printer.Line('+', written.Next());
        break;
      }
    }
  }
}

} // namespace qf::cli
