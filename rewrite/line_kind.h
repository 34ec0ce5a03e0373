#pragma once

#include "text/ascii.h"

#include <cstdint>
#include <string_view>

namespace qf {

/// What a trimmed line of code is, by its leading keyword. The rewrite pass
/// classifies each code line once and its level and layout rules switch on
/// the kind. The kinds exclude each other: every keyword below begins
/// differently from the others.
enum class LineKind : std::uint8_t {
  Ordinary,        ///< none of the below
  ProcedureHeader, ///< Sub or Function declaration: "SUB ", "FUNCTION ", Private/Public
                   ///< Sub/Function
  EndProcedure,    ///< "END SUB", "END FUNCTION"
  If,              ///< "IF "
  Else,            ///< the word Else or ElseIf
  EndIf,           ///< "END IF"
  Select,          ///< "SELECT "
  Case,            ///< "CASE "
  EndSelect,       ///< "END SELECT"
  For,             ///< "FOR "
  Next,            ///< "NEXT" alone or "NEXT "
  Do,              ///< "DO" alone or "DO "
  Loop,            ///< "LOOP" alone or "LOOP "
  TypeStart,       ///< the words Type, Private Type, Public Type
  EndType,         ///< "END TYPE"
};

namespace detail {

/// After "Private" or "Public" (at `rest`, which starts with the character
/// that ends that word): " Sub", " Function" or " Type" as whole words.
template <typename Char> constexpr LineKind ClassifyDeclaration(std::basic_string_view<Char> rest) {
  if (ascii::StartsWithWord(rest, u" SUB") || ascii::StartsWithWord(rest, u" FUNCTION"))
    return LineKind::ProcedureHeader;
  if (ascii::StartsWithWord(rest, u" TYPE"))
    return LineKind::TypeStart;
  return LineKind::Ordinary;
}

/// A line that starts with "END ": which block it ends.
template <typename Char> constexpr LineKind ClassifyEnd(std::basic_string_view<Char> line) {
  using ascii::StartsWith;
  if (StartsWith(line, u"END SUB") || StartsWith(line, u"END FUNCTION"))
    return LineKind::EndProcedure;
  if (StartsWith(line, u"END IF"))
    return LineKind::EndIf;
  if (StartsWith(line, u"END SELECT"))
    return LineKind::EndSelect;
  if (StartsWith(line, u"END TYPE"))
    return LineKind::EndType;
  return LineKind::Ordinary;
}

} // namespace detail

/// Classifies a trimmed line, decoded (char16_t) or plain ASCII bytes (char).
/// Keywords are compared with the line's ASCII letters upper-cased; Private,
/// Public, Else and Type count only as whole words, so "Public Subtotal" and
/// "Elsewhere = 1" are ordinary lines.
template <typename Char> constexpr LineKind ClassifyLine(std::basic_string_view<Char> line) {
  using ascii::Is;
  using ascii::StartsWith;
  using ascii::StartsWithWord;
  if (line.empty())
    return LineKind::Ordinary;
  switch (ascii::Upper(line.front())) {
  case U'S':
    if (StartsWith(line, u"SUB "))
      return LineKind::ProcedureHeader;
    if (StartsWith(line, u"SELECT "))
      return LineKind::Select;
    break;
  case U'F':
    if (StartsWith(line, u"FUNCTION "))
      return LineKind::ProcedureHeader;
    if (StartsWith(line, u"FOR "))
      return LineKind::For;
    break;
  case U'P':
    if (StartsWithWord(line, u"PRIVATE"))
      return detail::ClassifyDeclaration(line.substr(7));
    if (StartsWithWord(line, u"PUBLIC"))
      return detail::ClassifyDeclaration(line.substr(6));
    break;
  case U'E':
    if (StartsWith(line, u"END "))
      return detail::ClassifyEnd(line);
    if (StartsWithWord(line, u"ELSE") || StartsWithWord(line, u"ELSEIF"))
      return LineKind::Else;
    break;
  case U'I':
    if (StartsWith(line, u"IF "))
      return LineKind::If;
    break;
  case U'C':
    if (StartsWith(line, u"CASE "))
      return LineKind::Case;
    break;
  case U'N':
    if (StartsWith(line, u"NEXT ") || Is(line, u"NEXT"))
      return LineKind::Next;
    break;
  case U'D':
    if (StartsWith(line, u"DO ") || Is(line, u"DO"))
      return LineKind::Do;
    break;
  case U'L':
    if (StartsWith(line, u"LOOP ") || Is(line, u"LOOP"))
      return LineKind::Loop;
    break;
  case U'T':
    if (StartsWithWord(line, u"TYPE"))
      return LineKind::TypeStart;
    break;
  default:
    break;
  }
  return LineKind::Ordinary;
}

/// How an If line (or the line that completes a continued If) goes on.
enum class IfShape : std::uint8_t {
  Continued,  ///< ends with " _": its Then is in a later line
  Block,      ///< ends with " THEN", or has only a comment after its Then
  SingleLine, ///< a statement follows its Then (or it has no Then at all)
};

/// The shape of an If line. `mayContinue` is false for the line that
/// completes a continued If: it is a block or a single-line If.
template <typename Char>
constexpr IfShape ShapeOfIf(std::basic_string_view<Char> line, bool mayContinue) {
  if (mayContinue && ascii::EndsWith(line, u" _"))
    return IfShape::Continued;
  if (ascii::EndsWith(line, u" THEN"))
    return IfShape::Block;
  // The tail starts at the second character after " THEN" (the whole line
  // but its first five characters when there is no Then).
  const std::size_t then = ascii::Find(line, u" THEN");
  const std::size_t tailStart = then == std::basic_string_view<Char>::npos ? 5 : then + 6;
  const std::basic_string_view<Char> tail = tailStart < line.size()
                                                ? ascii::TrimSpaces(line.substr(tailStart))
                                                : std::basic_string_view<Char>{};
  return !tail.empty() && tail.front() == Char('\'') ? IfShape::Block : IfShape::SingleLine;
}

/// Whether the line holds " THEN" anywhere (letters compared upper-cased).
template <typename Char> constexpr bool HoldsThen(std::basic_string_view<Char> line) {
  return ascii::Find(line, u" THEN") != std::basic_string_view<Char>::npos;
}

} // namespace qf
