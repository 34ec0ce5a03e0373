#pragma once

#include "text/ascii.h"

#include <string_view>

/// The reading of a Sub or Function declaration that its comment block
/// names: the kind, the name, the parameters with their types and a
/// Function's return type. Works on decoded text (char16_t) and on the
/// bytes of a plain-ASCII line (char) alike, and never allocates: every
/// part is a view into the declaration.
namespace qf::declaration {

template <typename Char> using View = std::basic_string_view<Char>;

template <typename Char> constexpr bool IsBlank(Char c) {
  return c == Char(' ') || c == Char('\t');
}

template <typename Char> constexpr View<Char> TrimBlanks(View<Char> text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

/// Scans `text` outside string literals ("..." with "" inside), calling
/// `visit(index, c)` for every character outside a literal until it
/// returns true. Returns the index it stopped at, or npos.
template <typename Char, typename Visit>
constexpr std::size_t ScanCode(View<Char> text, Visit visit) {
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == Char('"'))
      inString = !inString;
    else if (!inString && visit(i, text[i]))
      return i;
  }
  return View<Char>::npos;
}

/// Index of the ")" that closes the "(" at `open`, or npos.
template <typename Char> constexpr std::size_t MatchingParen(View<Char> text, std::size_t open) {
  int depth = 0;
  const std::size_t close = ScanCode(text.substr(open), [&depth](std::size_t, Char c) {
    depth += c == Char('(') ? 1 : c == Char(')') ? -1 : 0;
    return depth == 0;
  });
  return close == View<Char>::npos ? close : open + close;
}

/// Removes and returns the leading run of non-blank characters of `text`,
/// leaving `text` at the next word.
template <typename Char> constexpr View<Char> TakeBlankWord(View<Char>& text) {
  std::size_t end = 0;
  while (end < text.size() && !IsBlank(text[end]))
    ++end;
  const View<Char> word = text.substr(0, end);
  text = TrimBlanks(text.substr(end));
  return word;
}

/// If `text` begins with the keyword `key` as a whole word, removes it and
/// the blanks after it.
template <typename Char, std::size_t N>
constexpr bool TakeKeyword(View<Char>& text, const char16_t (&key)[N]) {
  if (!ascii::StartsWithWord(text, key))
    return false;
  text = TrimBlanks(text.substr(N - 1));
  return true;
}

/// The parts of a declaration.
template <typename Char> struct Declaration {
  bool IsSub = false;
  View<Char> Name;
  View<Char> Parameters; ///< between the parentheses, untrimmed
  View<Char> ReturnType; ///< "As Long" (the word As kept), or empty
};

/// Reads a declaration: a comment after it is dropped; Private or Public,
/// then Sub or Function, are taken off the front; the parameter list runs
/// from the first "(" to its matching ")" (parentheses in string literals do
/// not count), or to the end when it is not closed; the return type is what
/// follows it when its first word is As.
template <typename Char> constexpr Declaration<Char> Parse(View<Char> text) {
  Declaration<Char> decl;
  const std::size_t quote = ScanCode(text, [](std::size_t, Char c) { return c == Char('\''); });
  text = TrimBlanks(quote == View<Char>::npos ? text : text.substr(0, quote));
  if (!TakeKeyword(text, u"PRIVATE"))
    TakeKeyword(text, u"PUBLIC");
  decl.IsSub = TakeKeyword(text, u"SUB");
  if (!decl.IsSub)
    TakeKeyword(text, u"FUNCTION");

  View<Char> tail;
  const std::size_t open = text.find(Char('('));
  if (open == View<Char>::npos) {
    decl.Name = TakeBlankWord(text);
    tail = text;
  } else {
    decl.Name = TrimBlanks(text.substr(0, open));
    const std::size_t close = MatchingParen(text, open);
    if (close == View<Char>::npos) {
      decl.Parameters = text.substr(open + 1);
    } else {
      decl.Parameters = text.substr(open + 1, close - open - 1);
      tail = text.substr(close + 1);
    }
  }
  tail = TrimBlanks(tail);
  if (ascii::StartsWithWord(tail, u"AS"))
    decl.ReturnType = tail;
  return decl;
}

/// Calls `visit(parameter)` for each parameter of a non-empty list, split at
/// the commas outside parentheses and string literals, each trimmed.
template <typename Char, typename Visit>
constexpr void ForEachParameter(View<Char> list, Visit visit) {
  int depth = 0;
  std::size_t start = 0;
  ScanCode(list, [&](std::size_t i, Char c) {
    depth += c == Char('(') ? 1 : c == Char(')') ? -1 : 0;
    if (c == Char(',') && depth <= 0) {
      visit(TrimBlanks(list.substr(start, i - start)));
      start = i + 1;
    }
    return false;
  });
  visit(TrimBlanks(list.substr(start)));
}

/// One parameter: its name and, where it has an As clause, its type.
template <typename Char> struct Parameter {
  View<Char> Name;
  View<Char> Type;
  bool HasType = false;
};

constexpr bool IsModifier(auto word) {
  return ascii::Is(word, u"BYVAL") || ascii::Is(word, u"BYREF") || ascii::Is(word, u"OPTIONAL") ||
         ascii::Is(word, u"PARAMARRAY");
}

/// Reads one parameter: leading ByVal, ByRef, Optional and ParamArray are
/// skipped; the type is what follows As, up to a default value ("= ...").
template <typename Char> constexpr Parameter<Char> ParseParameter(View<Char> text) {
  Parameter<Char> parameter;
  View<Char> rest = TrimBlanks(text);
  parameter.Name = TakeBlankWord(rest);
  while (!parameter.Name.empty() && IsModifier(parameter.Name))
    parameter.Name = TakeBlankWord(rest);
  if (!ascii::Is(TakeBlankWord(rest), u"AS"))
    return parameter;
  parameter.HasType = true;
  parameter.Type = TrimBlanks(rest.substr(0, rest.find(Char('='))));
  return parameter;
}

} // namespace qf::declaration
