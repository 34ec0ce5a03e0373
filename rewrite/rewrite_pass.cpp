#include "rewrite/rewrite_pass.h"

#include "rewrite/checked_int16.h"
#include "rewrite/keywords.h"
#include "rewrite/line_state.h"
#include "rewrite/procedure_header.h"
#include "text/line_reader.h"

namespace qf {
namespace {

namespace kw = keywords;
using std::int16_t;

constexpr std::u16string_view kMarkerText = u"'Quillformer By Vendelmark";
constexpr std::size_t kFlushSize = 1 << 18;

/// One rewrite: the line machine, its state, and the output it builds.
/// The rules are the member functions, applied in the order HandleLine()
/// gives.
class RewritePass {
public:
  RewritePass(ByteSource& source, ByteSink& sink, const std::string& name,
              const ProcessingSettings& settings, CodePage& codePage)
      : reader_(source), sink_(sink), name_(name), settings_(settings), codePage_(codePage) {
    out_.reserve(2 * kFlushSize);
  }

  std::int32_t Run();

private:
  bool ReadLine();
  bool HandleDesignerLine();
  void HandleCodeLine();
  void ApplyLevelTests();
  void ClassifyIf(bool mayContinue);
  bool IsProcedureLine() const;
  bool IsProcedureHeader() const;
  void WriteProcedureLine();
  void JoinContinuedHeader();
  bool IsBlockLine() const;
  void WriteBlockLine();
  void WriteProcedurePartLine();
  void WriteDeclarationLine();
  void Write(int16_t spaces, std::string_view bytes);
  void Flush();
  int16_t W() const { return settings_.IndentWidth; }

  LineReader reader_;
  ByteSink& sink_;
  const std::string& name_;
  const ProcessingSettings& settings_;
  CodePage& codePage_;
  LineState state_;
  std::string_view bytes_;   ///< The current line's own bytes, trimmed of spaces.
  std::u16string_view text_; ///< The current line decoded (what the rules look at).
  std::u16string decoded_;   ///< Holds text_.
  std::string out_;
};

std::int32_t RewritePass::Run() {
  try {
    while (ReadLine()) {
      state_.SingleLineIf = false;
      if (!state_.InCode && !HandleDesignerLine()) {
        Flush();
        return kAlreadyProcessed;
      }
      if (state_.InCode)
        HandleCodeLine();
    }
  } catch (const ReadFault& fault) {
    throw SourceError(name_, reader_.LineNumber() + 1, fault.what());
  } catch (const LineFault& fault) {
    throw SourceError(name_, reader_.LineNumber(), fault.what());
  }
  Flush();
  return kRewritten;
}

/// Reads the next line, trims its spaces and decodes it.
bool RewritePass::ReadLine() {
  std::string_view raw;
  if (!reader_.Next(raw))
    return false;
  bytes_ = kw::TrimSpaces(raw);
  try {
    text_ = codePage_.Decode(bytes_, decoded_);
  } catch (const DecodeFault& fault) {
    const std::uint64_t offset = reader_.LineOffset() +
                                 static_cast<std::uint64_t>(bytes_.data() - raw.data()) +
                                 fault.Offset();
    throw LineFault(std::string(fault.what()) + " (byte offset " + std::to_string(offset) +
                    " in the file)");
  }
  return true;
}

/// The designer header: Begin/End levels, three spaces each, until the
/// first line after the Attribute lines. Returns false on the marker line.
bool RewritePass::HandleDesignerLine() {
  if (text_ == kMarkerText)
    return false;
  const bool begins = kw::StartsWith(text_, u"BEGIN");
  if (begins)
    state_.Level = int16::Add(state_.Level, 1);
  if (kw::StartsWith(text_, u"END"))
    state_.Level = int16::Sub(state_.Level, 1);
  if (kw::StartsWith(text_, u"ATTRIBUTE")) {
    state_.AttributeSeen = true;
  } else if (state_.AttributeSeen) {
    state_.AttributeSeen = false;
    state_.InCode = true;
    sink_.CodeStarted();
    return true;
  }
  const int16_t spaces = int16::Mul(3, state_.Level);
  Write(begins ? int16::Sub(spaces, 3) : spaces, bytes_);
  return true;
}

void RewritePass::HandleCodeLine() {
  if (state_.MarkerPending) {
    Write(0, kMarkerLine);
    state_.MarkerPending = false;
  }
  ApplyLevelTests();
  if (IsProcedureLine())
    WriteProcedureLine();
  else if (IsBlockLine())
    WriteBlockLine();
  else if (state_.ProcedureSeen)
    WriteProcedurePartLine();
  else
    WriteDeclarationLine();
}

/// Opens and closes blocks; a line may pass several tests.
void RewritePass::ApplyLevelTests() {
  auto& level = state_.Level;
  if (state_.IfContinued && kw::Find(text_, u" THEN") != std::u16string_view::npos) {
    state_.IfContinued = false;
    ClassifyIf(false);
  }
  // The other tests begin with different letters (END IF and END SELECT
  // exclude each other), so at most one of them applies: go by the first.
  switch (text_.empty() ? u'\0' : kw::UpperAscii(text_.front())) {
  case u'I':
    if (kw::StartsWith(text_, u"IF "))
      ClassifyIf(true);
    break;
  case u'E':
    if (kw::StartsWith(text_, u"END IF")) {
      level = int16::Sub(level, 1);
    } else if (kw::StartsWith(text_, u"END SELECT")) {
      level = int16::Sub(level, 1);
      state_.SelectDepth = int16::Sub(state_.SelectDepth, 1);
    }
    break;
  case u'F':
    if (kw::StartsWith(text_, u"FOR "))
      level = int16::Add(level, 1);
    break;
  case u'N':
    if (kw::StartsWith(text_, u"NEXT ") || kw::Is(text_, u"NEXT"))
      level = int16::Sub(level, 1);
    break;
  case u'D':
    if (kw::Is(text_, u"DO") || kw::StartsWith(text_, u"DO "))
      level = int16::Add(level, 1);
    break;
  case u'L':
    if (kw::Is(text_, u"LOOP") || kw::StartsWith(text_, u"LOOP "))
      level = int16::Sub(level, 1);
    break;
  case u'S':
    if (kw::StartsWith(text_, u"SELECT ")) {
      level = int16::Add(level, 1);
      state_.SelectDepth = int16::Add(state_.SelectDepth, 1);
    }
    break;
  default:
    break;
  }
}

/// An If that goes on in the next line, a block If (nothing but a comment
/// after Then), or a single-line If.
void RewritePass::ClassifyIf(bool mayContinue) {
  const std::u16string_view text = text_;
  if (mayContinue && kw::EndsWith(text, u" _")) {
    state_.IfContinued = true;
    return;
  }
  if (kw::EndsWith(text, u" THEN")) {
    state_.Level = int16::Add(state_.Level, 1);
    return;
  }
  // The tail starts at the second character after " THEN" (the whole line
  // but its first five characters when there is no Then).
  const std::size_t then = kw::Find(text, u" THEN");
  const std::size_t tailStart = then == std::u16string_view::npos ? 5 : then + 6;
  const std::u16string_view tail =
      tailStart < text.size() ? kw::TrimSpaces(text.substr(tailStart)) : std::u16string_view{};
  if (!tail.empty() && tail.front() == u'\'')
    state_.Level = int16::Add(state_.Level, 1);
  else
    state_.SingleLineIf = true;
}

bool RewritePass::IsProcedureHeader() const {
  return kw::StartsWithWord(text_, u"PRIVATE SUB") ||
         kw::StartsWithWord(text_, u"PRIVATE FUNCTION") || kw::StartsWith(text_, u"SUB ") ||
         kw::StartsWith(text_, u"FUNCTION ") || kw::StartsWithWord(text_, u"PUBLIC SUB") ||
         kw::StartsWithWord(text_, u"PUBLIC FUNCTION");
}

bool RewritePass::IsProcedureLine() const {
  return kw::StartsWith(text_, u"END SUB") || kw::StartsWith(text_, u"END FUNCTION") ||
         IsProcedureHeader();
}

/// Procedure headers (with their comment block) and End Sub / End Function
/// go to column 1; End Sub and End Function put the level back to 1.
void RewritePass::WriteProcedureLine() {
  if (IsProcedureHeader()) {
    if (kw::EndsWith(text_, u"_"))
      JoinContinuedHeader();
    else {
      codePage_.Encode(BuildProcedureHeader(text_, settings_), out_);
      out_ += "\r\n";
      Write(0, bytes_);
    }
  } else {
    Write(0, bytes_);
  }
  state_.ProcedureSeen = true;
  if (kw::StartsWith(text_, u"END SUB") || kw::StartsWith(text_, u"END FUNCTION"))
    state_.Level = 1;
}

/// Joins a header continued with "_" over several lines into one line and
/// writes it with its comment block. The parts are joined with nothing
/// between them, unless that would fuse two words: then one space goes
/// between. A file that ends inside the header ends the header there.
void RewritePass::JoinContinuedHeader() {
  std::string bytes(bytes_);
  std::u16string text(text_);
  while (ReadLine()) {
    if (bytes.empty() || bytes.back() != '_')
      throw LineFault("cannot join the continued procedure header: its \"_\" is not a byte of "
                      "its own in code page " +
                      codePage_.Name());
    bytes.pop_back();
    text.pop_back();
    while (!bytes.empty() && bytes.back() == ' ')
      bytes.pop_back();
    while (!text.empty() && text.back() == u' ')
      text.pop_back();
    if (!text.empty() && !text_.empty() && kw::IsWordChar(text.back()) &&
        kw::IsWordChar(text_.front())) {
      bytes += ' ';
      text += u' ';
    }
    bytes += bytes_;
    text += text_;
    if (!kw::EndsWith(text_, u"_"))
      break;
  }
  codePage_.Encode(BuildProcedureHeader(text, settings_), out_);
  out_ += "\r\n";
  Write(0, bytes);
}

bool RewritePass::IsBlockLine() const {
  return kw::StartsWith(text_, u"SELECT ") || kw::StartsWithWord(text_, u"ELSE") ||
         kw::StartsWithWord(text_, u"ELSEIF") || kw::StartsWith(text_, u"IF ") ||
         kw::StartsWith(text_, u"DO ") || kw::Is(text_, u"DO") || kw::StartsWith(text_, u"FOR ");
}

/// Opening lines stand at the depth of the code around them (the level was
/// already raised); Else one level out; inside a Select Case an opening
/// line moves one level in, to its Case body.
void RewritePass::WriteBlockLine() {
  const int16_t w = W();
  if (kw::StartsWithWord(text_, u"ELSE") || kw::StartsWithWord(text_, u"ELSEIF")) {
    Write(int16::Sub(int16::Mul(w, state_.Level), w), bytes_);
    return;
  }
  const bool opens = kw::StartsWith(text_, u"IF ") || kw::StartsWith(text_, u"DO ") ||
                     kw::StartsWith(text_, u"FOR ") || kw::Is(text_, u"DO");
  const int16_t shift = opens && state_.SelectDepth > 0 ? 1 : 0;
  const int16_t indent = int16::Mul(int16::Add(state_.Level, shift), w);
  Write(state_.SingleLineIf ? indent : int16::Sub(indent, w), bytes_);
}

/// Statements inside procedures; within a Select Case, Case lines stand one
/// level in and the statements under them two.
void RewritePass::WriteProcedurePartLine() {
  const int16_t w = W();
  const int16_t indent = int16::Mul(w, state_.Level);
  if (state_.SelectDepth != 0 && !kw::StartsWith(text_, u"CASE ")) {
    Write(kw::StartsWith(text_, u"END SELECT") ? indent : int16::Add(indent, w), bytes_);
    return;
  }
  Write(indent, bytes_);
}

/// The declarations part: only Type blocks are indented.
void RewritePass::WriteDeclarationLine() {
  if (kw::StartsWith(text_, u"END TYPE"))
    state_.TypeDepth = int16::Sub(state_.TypeDepth, 1);
  Write(int16::Mul(W(), state_.TypeDepth), bytes_);
  if (kw::StartsWithWord(text_, u"PRIVATE TYPE") || kw::StartsWithWord(text_, u"PUBLIC TYPE") ||
      kw::StartsWithWord(text_, u"TYPE"))
    state_.TypeDepth = int16::Add(state_.TypeDepth, 1);
}

void RewritePass::Write(int16_t spaces, std::string_view bytes) {
  if (spaces > 0)
    out_.append(static_cast<std::size_t>(spaces), ' ');
  out_ += bytes;
  out_ += "\r\n";
  if (out_.size() >= kFlushSize)
    Flush();
}

void RewritePass::Flush() {
  sink_.Write(out_);
  out_.clear();
}

} // namespace

std::int32_t RewriteStream(ByteSource& source, ByteSink& sink, const std::string& name,
                           const ProcessingSettings& settings, CodePage& codePage) {
  return RewritePass(source, sink, name, settings, codePage).Run();
}

} // namespace qf
