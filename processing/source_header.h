#pragma once

#include "io/byte_stream.h"
#include "processing/file_kinds.h"

#include <memory>
#include <string_view>

namespace qf {

/// Whether `start`, the first bytes of a file (all of it when shorter than
/// kHeaderBytes), begins as VB6 writes a file of `kind`: the kind's first
/// line, then, for the designed kinds, any "Object = " lines and the line
/// that begins the designer. A module's first line must name the module
/// `name` (quoted, without regard to ASCII letter case), so that a module
/// saved under another module's entry is not taken for it.
bool StartsAsKind(FileKind kind, std::string_view name, std::string_view start);

/// How much of a file StartsAsKind looks at.
inline constexpr std::size_t kHeaderBytes = 16384;

/// Reads the start of the opened `file` and, where it begins as a file of
/// `kind` (StartsAsKind), returns the file with those bytes replayed before
/// the rest, so that it is read once and never opened again by its name;
/// else nothing. Raises the file's Read failure.
std::unique_ptr<OpenedFile> WithKindHeader(FileKind kind, std::string_view name,
                                           std::unique_ptr<OpenedFile> file);

} // namespace qf
