#include "fuzz/rewrite_model.h"

#include "rewrite/procedure_header.h"

#include <algorithm>
#include <vector>

namespace qf::fuzz {
namespace {

/// A step that leaves the 16-bit range.
struct OutOfRange {};

int C(int value) {
  if (value < -32768 || value > 32767)
    throw OutOfRange{};
  return value;
}

/// A line the model cannot decode.
struct Undecodable {
  std::uint64_t Line;
};

/// The input's lines: CR LF, LF and a lone CR each end one.
std::vector<std::string> SplitLines(std::string_view input) {
  std::vector<std::string> lines;
  std::string current;
  for (std::size_t i = 0; i < input.size(); ++i) {
    const char c = input[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(current);
      current.clear();
      if (c == '\r' && i + 1 < input.size() && input[i + 1] == '\n')
        ++i;
    } else {
      current += c;
    }
  }
  if (!current.empty())
    lines.push_back(current);
  return lines;
}

std::string TrimBytes(const std::string& s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos)
    return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::u16string Upper(std::u16string s) {
  for (char16_t& c : s)
    if (c >= u'a' && c <= u'z')
      c = static_cast<char16_t>(c - 32);
  return s;
}

bool Word(char16_t c) {
  return c >= 0x80 || (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') ||
         (c >= u'a' && c <= u'z') || c == u'_';
}

bool Starts(const std::u16string& up, std::u16string_view key) {
  return up.starts_with(key);
}

/// Starts with `key`, and no word character follows it.
bool StartsWord(const std::u16string& up, std::u16string_view key) {
  return up.starts_with(key) && (up.size() == key.size() || !Word(up[key.size()]));
}

bool IsHeader(const std::u16string& up) {
  return StartsWord(up, u"PRIVATE SUB") || StartsWord(up, u"PRIVATE FUNCTION") ||
         StartsWord(up, u"PUBLIC SUB") || StartsWord(up, u"PUBLIC FUNCTION") ||
         Starts(up, u"SUB ") || Starts(up, u"FUNCTION ");
}

class Model {
public:
  Model(std::string_view input, const ProcessingSettings& settings, CodePage& codePage)
      : lines_(SplitLines(input)), settings_(settings), codePage_(codePage) {}

  ModelResult Run();

private:
  /// Trimmed bytes and text of line i (from 0).
  void Load(std::size_t i, std::string& bytes, std::u16string& text) {
    bytes = TrimBytes(lines_[i]);
    std::u16string buffer;
    try {
      text = std::u16string(codePage_.Decode(bytes, buffer));
    } catch (const DecodeFault&) {
      throw Undecodable{i + 1};
    }
  }
  void Emit(int spaces, const std::string& bytes) {
    if (spaces > 0)
      out_.append(static_cast<std::size_t>(spaces), ' ');
    out_ += bytes + "\r\n";
  }
  void Code(std::size_t& i, const std::string& bytes, const std::u16string& text);
  void ShapeIf(const std::u16string& up, bool mayContinue);

  std::vector<std::string> lines_;
  const ProcessingSettings& settings_;
  CodePage& codePage_;
  std::string out_;
  int level_ = 1;
  int selects_ = 0;
  int types_ = 0;
  bool markerDue_ = true;
  bool attributes_ = false;
  bool code_ = false;
  bool ifGoesOn_ = false;
  bool singleIf_ = false;
  bool procedures_ = false;
};

ModelResult Model::Run() {
  ModelResult result;
  std::size_t i = 0;
  try {
    for (; i < lines_.size(); ++i) {
      std::string bytes;
      std::u16string text;
      Load(i, bytes, text);
      singleIf_ = false;
      const std::u16string up = Upper(text);
      if (!code_) {
        if (std::equal(text.begin(), text.end(), kMarkerLine.begin(), kMarkerLine.end())) {
          result.Outcome = RewriteOutcome::AlreadyProcessed;
          result.Text = out_;
          return result;
        }
        const bool begin = Starts(up, u"BEGIN");
        if (begin)
          level_ = C(level_ + 1);
        if (Starts(up, u"END"))
          level_ = C(level_ - 1);
        if (Starts(up, u"ATTRIBUTE")) {
          attributes_ = true;
        } else if (attributes_) {
          attributes_ = false;
          code_ = true;
        }
        if (!code_) {
          const int spaces = C(3 * level_);
          Emit(begin ? C(spaces - 3) : spaces, bytes);
          continue;
        }
      }
      Code(i, bytes, text);
    }
  } catch (const OutOfRange&) {
    result.Failed = true;
    result.FailedLine = i + 1;
  } catch (const Undecodable& undecodable) {
    result.Failed = true;
    result.FailedLine = undecodable.Line;
  }
  result.Text = out_;
  result.MarkerWritten = !markerDue_;
  return result;
}

void Model::ShapeIf(const std::u16string& up, bool mayContinue) {
  if (mayContinue && up.ends_with(u" _")) {
    ifGoesOn_ = true;
  } else if (up.ends_with(u" THEN")) {
    level_ = C(level_ + 1);
  } else {
    const std::size_t then = up.find(u" THEN");
    const std::size_t from = then == std::u16string::npos ? 5 : then + 6;
    std::u16string tail = from < up.size() ? up.substr(from) : u"";
    while (!tail.empty() && tail.front() == u' ')
      tail.erase(0, 1);
    if (!tail.empty() && tail.front() == u'\'')
      level_ = C(level_ + 1);
    else
      singleIf_ = true;
  }
}

/// One code line (and, for a continued header, the lines it takes in).
void Model::Code(std::size_t& i, const std::string& bytes, const std::u16string& text) {
  const int w = settings_.IndentWidth;
  const std::u16string up = Upper(text);
  if (markerDue_) {
    Emit(0, std::string(kMarkerLine));
    markerDue_ = false;
  }
  if (ifGoesOn_ && up.find(u" THEN") != std::u16string::npos) {
    ifGoesOn_ = false;
    ShapeIf(up, false);
  }
  if (Starts(up, u"IF "))
    ShapeIf(up, true);
  if (Starts(up, u"END IF"))
    level_ = C(level_ - 1);
  if (Starts(up, u"FOR "))
    level_ = C(level_ + 1);
  if (Starts(up, u"NEXT ") || up == u"NEXT")
    level_ = C(level_ - 1);
  if (up == u"DO" || Starts(up, u"DO "))
    level_ = C(level_ + 1);
  if (up == u"LOOP" || Starts(up, u"LOOP "))
    level_ = C(level_ - 1);
  if (Starts(up, u"SELECT ")) {
    level_ = C(level_ + 1);
    selects_ = C(selects_ + 1);
  }
  if (Starts(up, u"END SELECT")) {
    level_ = C(level_ - 1);
    selects_ = C(selects_ - 1);
  }

  if (IsHeader(up)) {
    std::string joinedBytes = bytes;
    std::u16string joined = text;
    bool goesOn = joined.ends_with(u"_");
    while (goesOn && i + 1 < lines_.size()) {
      std::string nextBytes;
      std::u16string next;
      Load(++i, nextBytes, next);
      if (joinedBytes.back() != '_')
        throw Undecodable{i + 1}; // cannot join: a failure at the line just read
      joinedBytes.pop_back();
      joined.pop_back();
      while (!joinedBytes.empty() && joinedBytes.back() == ' ')
        joinedBytes.pop_back();
      while (!joined.empty() && joined.back() == u' ')
        joined.pop_back();
      if (!joined.empty() && !next.empty() && Word(joined.back()) && Word(next.front())) {
        joinedBytes += ' ';
        joined += u' ';
      }
      joinedBytes += nextBytes;
      joined += next;
      goesOn = next.ends_with(u"_");
    }
    std::string block;
    codePage_.Encode(BuildProcedureHeader(joined, settings_), block);
    out_ += block + "\r\n";
    Emit(0, joinedBytes);
    procedures_ = true;
    return;
  }
  if (Starts(up, u"END SUB") || Starts(up, u"END FUNCTION")) {
    Emit(0, bytes);
    procedures_ = true;
    level_ = 1;
    return;
  }
  const bool isElse = StartsWord(up, u"ELSE") || StartsWord(up, u"ELSEIF");
  const bool opens = Starts(up, u"IF ") || Starts(up, u"DO ") || up == u"DO" || Starts(up, u"FOR ");
  if (isElse) {
    Emit(C(C(w * level_) - w), bytes);
  } else if (opens || Starts(up, u"SELECT ")) {
    const int shift = opens && selects_ > 0 ? 1 : 0;
    const int indent = C(C(level_ + shift) * w);
    Emit(singleIf_ ? indent : C(indent - w), bytes);
  } else if (procedures_) {
    const int indent = C(w * level_);
    if (selects_ != 0 && !Starts(up, u"CASE "))
      Emit(Starts(up, u"END SELECT") ? indent : C(indent + w), bytes);
    else
      Emit(indent, bytes);
  } else {
    if (Starts(up, u"END TYPE"))
      types_ = C(types_ - 1);
    Emit(C(w * types_), bytes);
    if (StartsWord(up, u"PRIVATE TYPE") || StartsWord(up, u"PUBLIC TYPE") ||
        StartsWord(up, u"TYPE"))
      types_ = C(types_ + 1);
  }
}

} // namespace

ModelResult ModelRewrite(std::string_view input, const ProcessingSettings& settings,
                         CodePage& codePage) {
  return Model(input, settings, codePage).Run();
}

} // namespace qf::fuzz
