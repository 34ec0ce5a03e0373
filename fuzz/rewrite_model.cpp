#include "fuzz/rewrite_model.h"

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

// The comment block, read from the rules apart from the product's reader.

bool Blank(char16_t c) {
  return c == u' ' || c == u'\t';
}

std::u16string TrimmedOfBlanks(std::u16string_view s) {
  std::size_t begin = 0;
  std::size_t end = s.size();
  while (begin < end && Blank(s[begin]))
    ++begin;
  while (end > begin && Blank(s[end - 1]))
    --end;
  return std::u16string(s.substr(begin, end - begin));
}

/// Whether `text` begins with the word `key` (in capitals), in any case.
bool BeginsWithWord(const std::u16string& text, std::u16string_view key) {
  return text.size() >= key.size() && Upper(text.substr(0, key.size())) == key &&
         (text.size() == key.size() || !Word(text[key.size()]));
}

/// Takes the word `key` and the blanks after it off the front of `text`.
bool TakeWord(std::u16string& text, std::u16string_view key) {
  if (!BeginsWithWord(text, key))
    return false;
  text = TrimmedOfBlanks(std::u16string_view(text).substr(key.size()));
  return true;
}

/// The first run of non-blank characters, taken off `text`.
std::u16string TakeFirstWord(std::u16string& text) {
  std::size_t end = 0;
  while (end < text.size() && !Blank(text[end]))
    ++end;
  std::u16string word = text.substr(0, end);
  text = TrimmedOfBlanks(std::u16string_view(text).substr(end));
  return word;
}

/// The text outside string literals: each character inside a "..." is
/// replaced by a space in a copy, so that searches see only code.
std::u16string CodeOnly(const std::u16string& text) {
  std::u16string code = text;
  bool inString = false;
  for (char16_t& c : code) {
    if (c == u'"') {
      inString = !inString;
      c = u'#'; // a quote is neither a bracket, a comma nor a comment mark
    } else if (inString) {
      c = u' ';
    }
  }
  return code;
}

/// The zh-CN labels, written here afresh.
struct Labels {
  std::u16string_view SubName = u" 过程名称：";
  std::u16string_view FunctionName = u" 函数名称：";
  std::u16string_view Parameter = u" 参数：";
  std::u16string_view NoParameters = u" 参数： 无";
  std::u16string_view TypeBefore = u" 为";
  std::u16string_view TypeAfter = u"型";
  std::u16string_view UnknownType = u"  类型不确定";
  std::u16string_view Returns = u" 返回类型：";
  std::u16string_view UnknownReturn = u" 返回类型： 不确定";
};

/// One parameter's words after its label.
std::u16string ModelParameter(std::u16string text, const Labels& labels) {
  std::u16string name = TakeFirstWord(text);
  const auto modifier = [](const std::u16string& word) {
    const std::u16string up = Upper(word);
    return up == u"BYVAL" || up == u"BYREF" || up == u"OPTIONAL" || up == u"PARAMARRAY";
  };
  while (!name.empty() && modifier(name))
    name = TakeFirstWord(text);
  if (Upper(TakeFirstWord(text)) != u"AS")
    return name + std::u16string(labels.UnknownType);
  const std::size_t equals = text.find(u'=');
  return name + std::u16string(labels.TypeBefore) +
         TrimmedOfBlanks(std::u16string_view(text).substr(0, equals)) +
         std::u16string(labels.TypeAfter);
}

/// The block above `declaration`: frame; the Sub's or Function's name; each
/// parameter (split at the commas outside brackets and strings) or none; a
/// Function's return type (what follows the list when it begins with As);
/// frame. A comment after the declaration is no part of it.
std::u16string ModelBlock(const std::u16string& declaration, const ProcessingSettings& settings) {
  const Labels labels;
  std::u16string text = declaration;
  const std::size_t comment = CodeOnly(text).find(u'\'');
  text = TrimmedOfBlanks(std::u16string_view(text).substr(0, comment));
  if (!TakeWord(text, u"PRIVATE"))
    TakeWord(text, u"PUBLIC");
  const bool sub = TakeWord(text, u"SUB");
  if (!sub)
    TakeWord(text, u"FUNCTION");
  std::u16string name;
  std::u16string list;
  std::u16string tail;
  // The list opens at the first "(" of all; inside it, brackets and commas
  // in string literals do not count.
  const std::size_t open = text.find(u'(');
  if (open == std::u16string::npos) {
    name = TakeFirstWord(text);
    tail = text;
  } else {
    name = TrimmedOfBlanks(std::u16string_view(text).substr(0, open));
    const std::u16string code = CodeOnly(text.substr(open));
    int depth = 0;
    std::size_t close = std::u16string::npos;
    for (std::size_t i = 0; i < code.size() && close == std::u16string::npos; ++i) {
      depth += code[i] == u'(' ? 1 : code[i] == u')' ? -1 : 0;
      if (depth == 0)
        close = open + i;
    }
    list = close == std::u16string::npos ? text.substr(open + 1)
                                         : text.substr(open + 1, close - open - 1);
    if (close != std::u16string::npos)
      tail = text.substr(close + 1);
  }
  tail = TrimmedOfBlanks(tail);

  const std::u16string frame = u"'" + settings.SeparatorLine + u"\r\n";
  const std::u16string inner = u"'" + settings.SeparatorUnit;
  std::u16string block = frame;
  block += inner + std::u16string(sub ? labels.SubName : labels.FunctionName) + name + u"\r\n";
  if (TrimmedOfBlanks(list).empty()) {
    block += inner + std::u16string(labels.NoParameters) + u"\r\n";
  } else {
    const std::u16string listCode = CodeOnly(list);
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= list.size(); ++i) {
      if (i < list.size()) {
        depth += listCode[i] == u'(' ? 1 : listCode[i] == u')' ? -1 : 0;
        if (listCode[i] != u',' || depth > 0)
          continue;
      }
      block += inner + std::u16string(labels.Parameter) +
               ModelParameter(TrimmedOfBlanks(std::u16string_view(list).substr(start, i - start)),
                              labels) +
               u"\r\n";
      start = i + 1;
    }
  }
  if (!sub) {
    if (BeginsWithWord(tail, u"AS"))
      block += inner + std::u16string(labels.Returns) + tail + u"\r\n";
    else
      block += inner + std::u16string(labels.UnknownReturn) + u"\r\n";
  }
  return block + frame;
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

/// Whether a first line is UTF-16 to the eye: a UTF-16 byte-order mark, or
/// two printable characters each with a zero byte beside it (VB6 writes no
/// zero byte).
bool LooksLikeUtf16(const std::string& line) {
  const auto at = [&line](std::size_t i) -> int {
    return i < line.size() ? static_cast<unsigned char>(line[i]) : -1;
  };
  const auto printable = [](int c) { return c >= 0x20 && c <= 0x7E; };
  if ((at(0) == 0xFF && at(1) == 0xFE) || (at(0) == 0xFE && at(1) == 0xFF))
    return true;
  return (printable(at(0)) && at(1) == 0 && printable(at(2)) && at(3) == 0) ||
         (at(0) == 0 && printable(at(1)) && at(2) == 0 && printable(at(3)));
}

ModelResult Model::Run() {
  ModelResult result;
  // A UTF-8 byte-order mark is handed on before everything; UTF-16 is
  // refused as a whole file, at no line.
  if (!lines_.empty() && lines_[0].starts_with("\xEF\xBB\xBF")) {
    out_ = "\xEF\xBB\xBF";
    lines_[0].erase(0, 3);
  } else if (!lines_.empty() && LooksLikeUtf16(lines_[0])) {
    result.Failed = true;
    return result;
  }
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
    codePage_.Encode(ModelBlock(joined, settings_), out_);
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
