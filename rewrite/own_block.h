#pragma once

#include <span>
#include <string>
#include <string_view>

/// Tells the comment blocks this program writes (LayOutProcedureHeader) from a
/// person's comments, on lines trimmed of spaces and decoded. A run that tidies
/// a file again rebuilds only what passes here; anything else stays a
/// person's. The tests are strict on purpose: a block that fails them is kept
/// as it stands, which costs a stale block, where taking a person's comment for
/// the program's would lose their words.
namespace qf::own_block {

/// Whether `line` is a frame line as some separator text writes it: the comment
/// mark "'" and a unit of at most kMaxSeparatorLength characters repeated to
/// kSeparatorLineLength characters.
bool IsFrame(std::u16string_view line);

/// Whether `line` reads as an inner line of a block: the comment mark, an inner
/// separator ("##", or a unit repeated to kSeparatorUnitLength characters) and
/// one of the labels of any label language.
bool LooksInner(std::u16string_view line);

/// Whether `lines`, from a frame line to the next, is a whole block as the
/// program writes it, for some declaration, in one label language and one
/// separator: equal frame lines; one inner separator on every inner line, "##"
/// or the frame's first kSeparatorUnitLength characters; a name line (a Sub's
/// or a Function's label and a name without blanks); the line of an empty
/// parameter list, or one line per parameter (its label, a name without
/// blanks, then its type as one word between the type labels, or the unknown
/// type's label); for a Function, the return line (the word As and one word)
/// or the unknown return's; nothing more. The names may differ from today's
/// declaration: a renamed parameter is still the program's block. A "?" stands
/// for any non-ASCII character of a label, as a code page without it wrote it.
bool IsOwn(std::span<const std::u16string> lines);

/// What a run of comment lines directly above a declaration is.
enum class Verdict {
  Comments, ///< a person's comments, and no block: the procedure has none
  Own,      ///< its last lines, from Reading::BlockStart on, are the program's block (IsOwn)
  Persons,  ///< a block a person changed (a line of it reads as a block's): all of it is theirs
};

struct Reading {
  Verdict Is = Verdict::Comments;
  std::size_t BlockStart = 0; ///< Own: the index of the block's first frame line
};

/// Reads a run of trimmed comment lines that stands directly above a
/// declaration. The block, if any, is the run's end from its last frame line
/// but one: what comes before it is a person's comments above a block.
Reading Read(std::span<const std::u16string> run);

} // namespace qf::own_block
