#include "rewrite/procedure_header.h"

#include "rewrite/keywords.h"

#include <vector>

namespace qf {
namespace {

using keywords::IsWordChar;
using std::u16string_view;

constexpr u16string_view kUnknownType = u"  类型不确定";

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

u16string_view TrimBlanks(u16string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

/// Scans `text` outside string literals ("..." with "" inside), calling
/// `visit(index, c)` for every character outside a literal until it
/// returns true. Returns the index it stopped at, or npos.
template <typename Visit> std::size_t ScanCode(u16string_view text, Visit visit) {
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'"')
      inString = !inString;
    else if (!inString && visit(i, text[i]))
      return i;
  }
  return u16string_view::npos;
}

u16string_view StripComment(u16string_view text) {
  const std::size_t quote = ScanCode(text, [](std::size_t, char16_t c) { return c == u'\''; });
  return quote == u16string_view::npos ? text : text.substr(0, quote);
}

/// Index of the ")" that closes the "(" at `open`, or npos.
std::size_t MatchingParen(u16string_view text, std::size_t open) {
  int depth = 0;
  const std::size_t close = ScanCode(text.substr(open), [&depth](std::size_t, char16_t c) {
    depth += c == u'(' ? 1 : c == u')' ? -1 : 0;
    return depth == 0;
  });
  return close == u16string_view::npos ? close : open + close;
}

std::vector<u16string_view> SplitParameters(u16string_view list) {
  std::vector<u16string_view> parts;
  int depth = 0;
  std::size_t start = 0;
  ScanCode(list, [&](std::size_t i, char16_t c) {
    depth += c == u'(' ? 1 : c == u')' ? -1 : 0;
    if (c == u',' && depth <= 0) {
      parts.push_back(TrimBlanks(list.substr(start, i - start)));
      start = i + 1;
    }
    return false;
  });
  parts.push_back(TrimBlanks(list.substr(start)));
  return parts;
}

/// Removes and returns the leading run of non-blank characters of `text`,
/// leaving `text` at the next word.
u16string_view TakeBlankWord(u16string_view& text) {
  std::size_t end = 0;
  while (end < text.size() && !IsBlank(text[end]))
    ++end;
  const u16string_view word = text.substr(0, end);
  text = TrimBlanks(text.substr(end));
  return word;
}

/// If `text` begins with the keyword `key` as a whole word, removes it and
/// the blanks after it.
template <std::size_t N> bool TakeKeyword(u16string_view& text, const char16_t (&key)[N]) {
  if (!keywords::StartsWithWord(text, key))
    return false;
  text = TrimBlanks(text.substr(N - 1));
  return true;
}

bool IsParameterModifier(u16string_view word) {
  using keywords::Is;
  return Is(word, u"BYVAL") || Is(word, u"BYREF") || Is(word, u"OPTIONAL") ||
         Is(word, u"PARAMARRAY");
}

/// The parsed parts of a declaration.
struct Declaration {
  bool IsSub = false;
  u16string_view Name;
  u16string_view Parameters;
  u16string_view Tail; ///< What follows the parameter list (or the name).
};

Declaration Parse(u16string_view text) {
  Declaration decl;
  text = TrimBlanks(StripComment(text));
  if (!TakeKeyword(text, u"PRIVATE"))
    TakeKeyword(text, u"PUBLIC");
  decl.IsSub = TakeKeyword(text, u"SUB");
  if (!decl.IsSub)
    TakeKeyword(text, u"FUNCTION");

  const std::size_t open = text.find(u'(');
  if (open == u16string_view::npos) {
    decl.Name = TakeBlankWord(text);
    decl.Tail = text;
    return decl;
  }
  decl.Name = TrimBlanks(text.substr(0, open));
  const std::size_t close = MatchingParen(text, open);
  if (close == u16string_view::npos) {
    decl.Parameters = text.substr(open + 1);
    return decl;
  }
  decl.Parameters = text.substr(open + 1, close - open - 1);
  decl.Tail = text.substr(close + 1);
  return decl;
}

/// The return type text: the trimmed tail when its first word is As.
u16string_view ReturnType(u16string_view tail) {
  tail = TrimBlanks(tail);
  return keywords::StartsWithWord(tail, u"AS") ? tail : u16string_view{};
}

void AppendLine(std::u16string& block, u16string_view prefix, u16string_view label,
                u16string_view value) {
  block += u"\r\n'";
  block += prefix;
  block += label;
  block += value;
}

} // namespace

std::u16string DescribeParameter(u16string_view parameter) {
  u16string_view rest = TrimBlanks(parameter);
  u16string_view name = TakeBlankWord(rest);
  while (!name.empty() && IsParameterModifier(name))
    name = TakeBlankWord(rest);
  std::u16string description(name);
  if (!keywords::Is(TakeBlankWord(rest), u"AS")) {
    description += kUnknownType;
    return description;
  }
  const std::size_t equals = rest.find(u'=');
  description += u" 为";
  description += TrimBlanks(rest.substr(0, equals));
  description += u"型";
  return description;
}

std::u16string BuildProcedureHeader(u16string_view declaration,
                                    const ProcessingSettings& settings) {
  const Declaration decl = Parse(declaration);
  const std::u16string& unit = settings.SeparatorUnit;

  std::u16string block = u"'" + settings.SeparatorLine;
  AppendLine(block, unit, decl.IsSub ? u" 过程名称：" : u" 函数名称：", decl.Name);
  if (TrimBlanks(decl.Parameters).empty()) {
    AppendLine(block, unit, u" 参数： 无", {});
  } else {
    for (u16string_view parameter : SplitParameters(decl.Parameters))
      AppendLine(block, unit, u" 参数：", DescribeParameter(parameter));
  }
  if (!decl.IsSub) {
    const u16string_view returnType = ReturnType(decl.Tail);
    if (returnType.empty())
      AppendLine(block, unit, u" 返回类型： 不确定", {});
    else
      AppendLine(block, unit, u" 返回类型：", returnType);
  }
  block += u"\r\n'";
  block += settings.SeparatorLine;
  return block;
}

} // namespace qf
