#include "rewrite/rewrite_pass.h"

#include "rewrite/checked_int16.h"
#include "rewrite/comment_block_writer.h"
#include "rewrite/held_run.h"
#include "rewrite/line_kind.h"
#include "rewrite/line_state.h"
#include "rewrite/output_buffer.h"
#include "rewrite/own_block.h"
#include "rewrite/rewrite_failure.h"
#include "text/ascii.h"
#include "text/decoded_line_reader.h"
#include "text/text_failure.h"

#include <algorithm>
#include <vector>

namespace qf {
namespace {

using std::int16_t;

/// The output is handed on in pieces of this size; its buffer starts small
/// (most files are small) and grows to it.
constexpr std::size_t kFlushSize = 1 << 18;
constexpr std::size_t kFirstBufferSize = 1 << 14;
/// The most bytes of comment lines held back while it is not yet known
/// whether they end in a block: past that they are laid out as comments.
constexpr std::size_t kMostHeld = 1 << 16;

/// The last character of a header's line before its continuation: the
/// character before the "_" and the spaces in front of it (0 for none).
char16_t LastBeforeContinuation(std::u16string_view line) {
  if (!line.empty() && line.back() == u'_')
    line.remove_suffix(1);
  while (!line.empty() && line.back() == u' ')
    line.remove_suffix(1);
  return line.empty() ? u'\0' : line.back();
}

/// The joined line of a header's `lines` (each followed by LF): each line
/// but the last less its "_" and the spaces before it, then a space where
/// `spaced` says, then the next.
std::string Joined(std::string_view lines, const std::vector<bool>& spaced) {
  std::string joined;
  joined.reserve(lines.size());
  std::size_t piece = 0;
  for (std::size_t at = 0; at < lines.size(); ++piece) {
    const std::size_t end = lines.find('\n', at);
    if (piece != 0) {
      joined.pop_back(); // the "_"
      while (!joined.empty() && joined.back() == ' ')
        joined.pop_back();
      if (spaced[piece - 1])
        joined += ' ';
    }
    joined += lines.substr(at, end - at);
    at = end + 1;
  }
  return joined;
}

template <typename Char> bool IsMarker(std::basic_string_view<Char> line) {
  return std::equal(line.begin(), line.end(), kMarkerLine.begin(), kMarkerLine.end(),
                    [](Char a, char b) { return ascii::CodeOf(a) == ascii::CodeOf(b); });
}

/// One rewrite: the line machine, its state, and the output it builds.
///
/// Each line is trimmed and, unless it is plain ASCII, decoded; a code line
/// is then classified once (LineKind) and the level and layout rules below
/// switch on its kind. The tests that look at a line's characters run on
/// its bytes where it is plain ASCII and on its text otherwise (OnLine), with
/// the same result.
class RewritePass {
public:
  RewritePass(ByteSource& source, ByteSink& sink, const std::string& name,
              const ProcessingSettings& settings, CodePage& codePage, RewriteTrace* trace)
      : reader_(source, codePage, name), codePage_(codePage), sink_(sink), settings_(settings),
        trace_(trace), blocks_(settings, codePage),
        recognise_(!settings.WriteMarker || !settings.WriteBlocks), out_(kFirstBufferSize),
        scratch_(1 << 10) {}

  RewriteOutcome Run();

private:
  bool ReadLine();
  /// `test` applied to the current line, as bytes or as text.
  template <typename Test> auto OnLine(Test test) const {
    return ascii_ ? test(bytes_) : test(text_);
  }
  std::u16string_view Text();
  bool HandleDesignerLine();
  void HandleCodeLine();
  void LayOutCodeLine();
  bool Hold();
  bool MayBeginBlock();
  void ReadHeld();
  void ReleaseHeld(std::size_t count);
  void WriteHeldAsTheyStand();
  void Tell(BlockFate fate) {
    if (trace_ != nullptr)
      trace_->Block(fate);
  }
  void ApplyLevelTests();
  void ApplyIfShape(IfShape shape);
  void WriteProcedureHeader();
  void JoinContinuedHeader();
  void WriteBlockLine();
  void WriteProcedurePartLine();
  void WriteDeclarationLine();
  void WriteMarker();
  void WriteBlock(auto declaration);
  /// Writes the current line, or the header joined from line `first` on,
  /// or the line `last` of a header kept on its lines.
  void Write(int16_t spaces, std::string_view bytes, std::uint64_t first = 0,
             std::uint64_t last = 0);
  void Flush();
  int16_t W() const { return settings_.IndentWidth; }

  DecodedLineReader reader_;
  CodePage& codePage_;
  ByteSink& sink_;
  const ProcessingSettings& settings_;
  RewriteTrace* trace_;
  CommentBlockWriter blocks_;
  LineState state_;
  std::string_view bytes_;   ///< The current line's own bytes, trimmed of spaces.
  bool ascii_ = true;        ///< They are plain ASCII: the text is the bytes.
  std::u16string_view text_; ///< The current line decoded, where it is not ASCII.
  std::u16string wide_;      ///< Text() of an ASCII line.
  LineKind kind_ = LineKind::Ordinary;
  bool capped_ = false;          ///< a line's indentation was cut to kMostLeadingBlanks
  std::uint64_t lineNumber_ = 0; ///< the current line's number in the source
  /// The pass may meet blocks of its own: it holds runs that may be one.
  bool recognise_;
  HeldRun held_;                                             ///< comment lines that may be a block
  own_block::Verdict heldIs_ = own_block::Verdict::Comments; ///< once read, above a declaration
  std::u16string releasedText_;
  OutputBuffer out_;
  OutputBuffer scratch_; ///< a block made to be compared with the one held
};

RewriteOutcome RewritePass::Run() {
  try {
    while (ReadLine()) {
      state_.SingleLineIf = false;
      if (!state_.InCode && !HandleDesignerLine())
        return RewriteOutcome::AlreadyProcessed; // what is still in the buffer is dropped
      if (state_.InCode)
        HandleCodeLine();
    }
    ReleaseHeld(held_.Size());
  } catch (const int16::Overflow& overflow) {
    Raise(RewriteFailure{RewriteFailureKind::Overflow, reader_.Name(), reader_.LineNumber(),
                         overflow.what()});
  }
  Flush();
  return RewriteOutcome::Rewritten;
}

/// Reads the next line, trims its spaces and decodes it unless it is ASCII.
bool RewritePass::ReadLine() {
  const bool first = reader_.LineNumber() == 0;
  if (!reader_.Next())
    return false;
  if (first) // a byte-order mark stays where it stood, before the first line
    out_.Append(reader_.ByteOrderMark());
  lineNumber_ = reader_.LineNumber();
  bytes_ = ascii::TrimSpaces(reader_.Bytes());
  ascii_ = reader_.IsAscii();
  if (!ascii_)
    text_ = reader_.Decode(bytes_);
  return true;
}

/// The current line's text, also for an ASCII line.
std::u16string_view RewritePass::Text() {
  if (!ascii_)
    return text_;
  wide_.resize(bytes_.size());
  ascii::WidenIfAscii(bytes_, wide_.data());
  return wide_;
}

/// The designer header: Begin/End levels, three spaces each, until the
/// first line after the Attribute lines. Returns false on the marker line,
/// unless the settings ask for an update: then the code begins there.
bool RewritePass::HandleDesignerLine() {
  if (OnLine([](auto line) { return IsMarker(line); })) {
    if (!settings_.Update)
      return false;
    state_.AttributeSeen = false;
    state_.InCode = true;
    if (trace_ != nullptr)
      trace_->CodeStarts();
    return true;
  }
  const bool begins = OnLine([](auto line) { return ascii::StartsWith(line, u"BEGIN"); });
  if (begins)
    state_.Level = int16::Add(state_.Level, 1);
  if (OnLine([](auto line) { return ascii::StartsWith(line, u"END"); }))
    state_.Level = int16::Sub(state_.Level, 1);
  if (OnLine([](auto line) { return ascii::StartsWith(line, u"ATTRIBUTE"); })) {
    state_.AttributeSeen = true;
  } else if (state_.AttributeSeen) {
    state_.AttributeSeen = false;
    state_.InCode = true;
    if (trace_ != nullptr)
      trace_->CodeStarts();
    return true;
  }
  const int16_t spaces = int16::Mul(3, state_.Level);
  Write(begins ? int16::Sub(spaces, 3) : spaces, bytes_);
  return true;
}

void RewritePass::HandleCodeLine() {
  if (state_.MarkerPending) {
    state_.MarkerPending = false;
    if (settings_.Update && OnLine([](auto line) { return IsMarker(line); })) {
      // Tidied again: the marker stays where it is, and the blocks above
      // the procedures are the program's own.
      Write(0, bytes_);
      recognise_ = true;
      if (trace_ != nullptr)
        trace_->MarkerMet();
      return;
    }
    if (settings_.WriteMarker)
      WriteMarker();
  }
  if (recognise_ && Hold())
    return;
  LayOutCodeLine();
}

/// Holds a run of comment lines that may be a block (MayBeginBlock) until
/// the line after it tells what it is: above a declaration, it is read (ReadHeld) and
/// answered when the declaration's block is written (WriteBlock); anywhere
/// else its lines are laid out as they would have been. Returns whether the
/// current line was held.
bool RewritePass::Hold() {
  const bool comment = OnLine([](auto line) { return !line.empty() && line.front() == '\''; });
  const std::string_view raw = reader_.Bytes();
  const bool holds =
      comment && (held_.Empty() ? MayBeginBlock() : held_.Bytes() + raw.size() <= kMostHeld);
  if (holds) {
    held_.Add(raw, lineNumber_, ascii_, Text());
    return true;
  }
  if (held_.Empty())
    return false;
  if (OnLine([](auto line) { return ClassifyLine(line); }) == LineKind::ProcedureHeader)
    ReadHeld();
  else
    ReleaseHeld(held_.Size());
  return false;
}

/// Whether the current comment line may begin a block: a frame line, or a
/// line that reads as a block's inner line (its frame above was changed, and
/// the block is a person's now: it must not get a second one).
bool RewritePass::MayBeginBlock() {
  const bool frameSized = OnLine([](auto line) { return line.size() == 1 + kSeparatorLineLength; });
  const std::u16string_view text = Text();
  return (frameSized && own_block::IsFrame(text)) || own_block::LooksInner(text);
}

/// Reads the run held above a declaration: a person's comments are laid out
/// now; a block, the program's or a person's, waits for the declaration's.
void RewritePass::ReadHeld() {
  const own_block::Reading reading = own_block::Read(held_.Texts());
  heldIs_ = reading.Is;
  ReleaseHeld(reading.Is == own_block::Verdict::Comments ? held_.Size() : reading.BlockStart);
}

/// Lays out the first `count` lines held as the comments they are, in their
/// turn before the current line, and lets them go.
void RewritePass::ReleaseHeld(std::size_t count) {
  if (count == 0)
    return;
  const std::string_view bytes = bytes_;
  const bool ascii = ascii_;
  const std::u16string_view text = text_;
  const std::uint64_t number = lineNumber_;
  for (std::size_t i = 0; i < count; ++i) {
    bytes_ = held_.Trimmed(i);
    ascii_ = held_[i].Ascii;
    if (!ascii_)
      text_ = codePage_.Decode(bytes_, releasedText_);
    lineNumber_ = held_[i].Number;
    state_.SingleLineIf = false;
    LayOutCodeLine();
  }
  bytes_ = bytes;
  ascii_ = ascii;
  text_ = text;
  lineNumber_ = number;
  state_.SingleLineIf = false;
  held_.Drop(count);
}

/// Writes the lines held as they stand, spaces and all, and lets them go.
void RewritePass::WriteHeldAsTheyStand() {
  for (std::size_t i = 0; i < held_.Size(); ++i)
    Write(0, held_.Raw(i), held_[i].Number, held_[i].Number);
  held_.Clear();
}

/// A code line laid out at its level, by its kind.
void RewritePass::LayOutCodeLine() {
  kind_ = OnLine([](auto line) { return ClassifyLine(line); });
  ApplyLevelTests();
  switch (kind_) {
  case LineKind::ProcedureHeader:
    return WriteProcedureHeader();
  case LineKind::EndProcedure:
    Write(0, bytes_);
    state_.ProcedureSeen = true;
    state_.Level = 1;
    return;
  case LineKind::If:
  case LineKind::Else:
  case LineKind::Select:
  case LineKind::Do:
  case LineKind::For:
    return WriteBlockLine();
  default:
    return state_.ProcedureSeen ? WriteProcedurePartLine() : WriteDeclarationLine();
  }
}

/// Opens and closes blocks. The line that completes a continued If is
/// shaped first, whatever its kind.
void RewritePass::ApplyLevelTests() {
  auto& level = state_.Level;
  if (state_.IfContinued && OnLine([](auto line) { return HoldsThen(line); })) {
    state_.IfContinued = false;
    ApplyIfShape(OnLine([](auto line) { return ShapeOfIf(line, false); }));
  }
  switch (kind_) {
  case LineKind::If:
    return ApplyIfShape(OnLine([](auto line) { return ShapeOfIf(line, true); }));
  case LineKind::EndIf:
  case LineKind::Next:
  case LineKind::Loop:
    level = int16::Sub(level, 1);
    return;
  case LineKind::For:
  case LineKind::Do:
    level = int16::Add(level, 1);
    return;
  case LineKind::Select:
    level = int16::Add(level, 1);
    state_.SelectDepth = int16::Add(state_.SelectDepth, 1);
    return;
  case LineKind::EndSelect:
    level = int16::Sub(level, 1);
    state_.SelectDepth = int16::Sub(state_.SelectDepth, 1);
    return;
  default:
    return;
  }
}

void RewritePass::ApplyIfShape(IfShape shape) {
  switch (shape) {
  case IfShape::Continued:
    state_.IfContinued = true;
    return;
  case IfShape::Block:
    state_.Level = int16::Add(state_.Level, 1);
    return;
  case IfShape::SingleLine:
    state_.SingleLineIf = true;
    return;
  }
}

/// A Sub or Function header goes to column 1 below its comment block.
void RewritePass::WriteProcedureHeader() {
  if (OnLine([](auto line) { return ascii::EndsWith(line, u"_"); })) {
    JoinContinuedHeader();
  } else {
    OnLine([this](auto line) { WriteBlock(line); });
    Write(0, bytes_);
  }
  state_.ProcedureSeen = true;
}

/// Joins a header continued with "_" over several lines into one line and
/// writes it with its comment block. The parts are joined with nothing
/// between them, unless that would fuse two words: then one space goes
/// between. A file that ends inside the header ends the header there.
///
/// VB6 loads no line longer than kLongestVb6Line bytes: a header whose
/// joined line would be longer keeps its own lines, each trimmed and at
/// column 1, below the comment block made from the joined line. The lines
/// held meanwhile are bounded as a line is (kMaxLineLength).
void RewritePass::JoinContinuedHeader() {
  const std::uint64_t first = reader_.LineNumber();
  std::string lines(bytes_); // the header's lines, trimmed, each followed by LF
  lines += '\n';
  std::vector<bool> spaced; // before each line after the first: a space goes between
  char16_t last = LastBeforeContinuation(Text()); // of the joined text so far
  bool allAscii = ascii_;
  while (ReadLine()) {
    if (lines.size() < 2 || lines[lines.size() - 2] != '_')
      Raise(RewriteFailure{RewriteFailureKind::Unjoinable,
                           reader_.Name(),
                           reader_.LineNumber(),
                           {},
                           codePage_.Name()});
    const std::u16string_view next = Text();
    spaced.push_back(last != u'\0' && !next.empty() && ascii::IsWordChar(last) &&
                     ascii::IsWordChar(next.front()));
    if (lines.size() + bytes_.size() + 1 > kMaxLineLength)
      Raise(TextFailure{TextFailureKind::LineTooLong, reader_.Name(), reader_.LineNumber()});
    MakeRoom(lines, lines.size() + bytes_.size() + 1);
    lines += bytes_;
    lines += '\n';
    allAscii = allAscii && ascii_;
    if (const char16_t end = LastBeforeContinuation(next); end != u'\0')
      last = end;
    if (!ascii::EndsWith(next, u"_"))
      break;
  }
  std::string bytes = Joined(lines, spaced);
  if (allAscii) {
    WriteBlock(std::string_view(bytes));
  } else {
    std::u16string text;
    WriteBlock(std::u16string_view(codePage_.Decode(bytes, text)));
  }
  if (bytes.size() <= kLongestVb6Line) {
    Write(0, bytes, first);
    return;
  }
  bytes = {};
  std::uint64_t number = first;
  for (std::size_t at = 0; at < lines.size(); ++number) {
    const std::size_t end = lines.find('\n', at);
    Write(0, std::string_view(lines).substr(at, end - at), number, number);
    at = end + 1;
  }
}

/// Opening lines stand at the depth of the code around them (the level was
/// already raised); Else one level out; inside a Select Case an opening
/// line moves one level in, to its Case body.
void RewritePass::WriteBlockLine() {
  const int16_t w = W();
  if (kind_ == LineKind::Else) {
    Write(int16::Sub(int16::Mul(w, state_.Level), w), bytes_);
    return;
  }
  const bool opens = kind_ == LineKind::If || kind_ == LineKind::Do || kind_ == LineKind::For;
  const int16_t shift = opens && state_.SelectDepth > 0 ? 1 : 0;
  const int16_t indent = int16::Mul(int16::Add(state_.Level, shift), w);
  Write(state_.SingleLineIf ? indent : int16::Sub(indent, w), bytes_);
}

/// Statements inside procedures; within a Select Case, Case lines stand one
/// level in and the statements under them two.
void RewritePass::WriteProcedurePartLine() {
  const int16_t w = W();
  const int16_t indent = int16::Mul(w, state_.Level);
  if (state_.SelectDepth != 0 && kind_ != LineKind::Case) {
    Write(kind_ == LineKind::EndSelect ? indent : int16::Add(indent, w), bytes_);
    return;
  }
  Write(indent, bytes_);
}

/// The declarations part: only Type blocks are indented.
void RewritePass::WriteDeclarationLine() {
  if (kind_ == LineKind::EndType)
    state_.TypeDepth = int16::Sub(state_.TypeDepth, 1);
  Write(int16::Mul(W(), state_.TypeDepth), bytes_);
  if (kind_ == LineKind::TypeStart)
    state_.TypeDepth = int16::Add(state_.TypeDepth, 1);
}

void RewritePass::WriteMarker() {
  out_.Line(0, kMarkerLine);
  if (trace_ != nullptr)
    trace_->Added(1, true);
}

/// The declaration's comment block. Where a block stands above it (held),
/// the program's is written anew, and a person's kept as they left it.
void RewritePass::WriteBlock(auto declaration) {
  if (held_.Empty()) {
    if (!settings_.WriteBlocks)
      return;
    const std::size_t lines = blocks_.Write(declaration, out_);
    if (trace_ != nullptr)
      trace_->Added(lines, false);
    if (recognise_)
      Tell(BlockFate::Added);
    return;
  }
  if (!settings_.WriteBlocks)
    return WriteHeldAsTheyStand();
  scratch_.Clear();
  blocks_.Write(declaration, scratch_);
  const bool same = held_.TellReplaced(scratch_.View(), nullptr);
  if (!same && heldIs_ != own_block::Verdict::Own) {
    WriteHeldAsTheyStand();
    return Tell(BlockFate::Kept);
  }
  held_.TellReplaced(scratch_.View(), trace_);
  out_.Append(scratch_.View());
  held_.Clear();
  Tell(same ? BlockFate::Unchanged : BlockFate::Rebuilt);
}

void RewritePass::Write(int16_t spaces, std::string_view bytes, std::uint64_t first,
                        std::uint64_t last) {
  if (trace_ != nullptr) {
    const std::uint64_t line = last != 0 ? last : lineNumber_;
    trace_->Kept(first != 0 ? first : line, line);
  }
  std::size_t count = spaces > 0 ? static_cast<std::size_t>(spaces) : 0;
  if (count > kMostLeadingBlanks) {
    count = kMostLeadingBlanks; // VB6 loads no line with more
    if (!capped_ && trace_ != nullptr)
      trace_->IndentCapped();
    capped_ = true;
  }
  if (bytes.size() > kFlushSize) {
    // A line longer than the buffer goes straight on, not through a copy.
    Flush();
    out_.Line(count, {});
    sink_.Write(out_.View().substr(0, count));
    sink_.Write(bytes);
    sink_.Write("\r\n");
    out_.Clear();
    return;
  }
  out_.Line(count, bytes);
  if (out_.Size() >= kFlushSize)
    Flush();
}

void RewritePass::Flush() {
  if (out_.Size() != 0)
    sink_.Write(out_.View());
  out_.Clear();
}

} // namespace

RewriteOutcome RewriteStream(ByteSource& source, ByteSink& sink, const std::string& name,
                             const ProcessingSettings& settings, CodePage& codePage,
                             RewriteTrace* trace) {
  return RewritePass(source, sink, name, settings, codePage, trace).Run();
}

} // namespace qf
