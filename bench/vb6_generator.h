#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qf::bench {

/// The seed of the benchmarks' input. quillformer-gen uses it unless told
/// otherwise, so that its output is the very text the benchmarks rewrite.
inline constexpr std::uint32_t kDefaultSeed = 1;

/// Generates one VB6 form module (.frm) as the bytes of a file:
///
///   - a designer header: VERSION 5.00, a VB.Form with nested Begin/End
///     controls (frames holding controls), BeginProperty Font groups and the
///     Attribute lines;
///   - the code: Option Explicit, a declarations part (Type and Enum blocks,
///     Declare, Const and variable lines, about a thirty-second of the text),
///     then Sub and Function procedures, some with headers continued over
///     two or three lines, bodies with nested If/ElseIf/Else, For, Do,
///     Select Case and With blocks, comments and blank lines.
///
/// Every line ends with CR LF; the original indentation is deliberately
/// messy (spaces only) and some lines carry trailing spaces. Blocks are
/// balanced, so a rewrite's levels stay small.
///
/// The text is plain ASCII unless `chineseComments` is set: then some
/// comments, captions and message texts are Chinese, as GBK (CP936) bytes.
///
/// The same arguments give the same bytes with every compiler and standard
/// library. The result is at least `approxBytes` long and overshoots by at
/// most one procedure.
std::string GenerateModule(std::size_t approxBytes, std::uint32_t seed, bool chineseComments);

/// Like GenerateModule, but every procedure is fourteen lines long (a
/// header, twelve simple statements or comments, its End), so that a
/// comment block is written every fourteen lines: the rewrite's most
/// header-heavy shape.
std::string GenerateHeaderHeavyModule(std::size_t approxBytes, std::uint32_t seed);

} // namespace qf::bench
