#pragma once

#include "io/byte_stream.h"
#include "processing/file_kinds.h"
#include "text/code_page.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qf {

/// The project's properties, as the project file gives them.
struct ProjectInfo {
  std::u16string ProjectName;     ///< NAME, unquoted
  std::u16string ProgramType;     ///< TYPE: Exe, Dll, Ocx
  std::u16string CompanyName;     ///< VERSIONCOMPANYNAME, unquoted
  std::u16string MajorVersion;    ///< MAJORVER
  std::u16string MinorVersion;    ///< MINORVER
  std::u16string RevisionVersion; ///< REVISIONVER
  std::u16string StartupObject;   ///< STARTUP, unquoted
};

/// One listed source file.
struct SourceFileEntry {
  std::u16string Name;     ///< Module or class name; empty for the other kinds.
  std::u16string Location; ///< The project folder followed by the file text.
  bool operator==(const SourceFileEntry&) const = default;
};

/// What a project file lists: its properties, and its source files kind by
/// kind, each kind in the order the file lists it.
struct ProjectContents {
  ProjectInfo Info;
  std::array<std::vector<SourceFileEntry>, kFileKindCount> Files;

  std::vector<SourceFileEntry>& Entries(FileKind kind) {
    return Files[static_cast<std::size_t>(kind)];
  }
  const std::vector<SourceFileEntry>& Entries(FileKind kind) const {
    return Files[static_cast<std::size_t>(kind)];
  }
};

/// A list holds at most this many entries: its count is a 16-bit number.
inline constexpr std::size_t kMaxEntriesPerKind = 32766;

/// Reads a project file line by line (decoded in `codePage`). A line's key
/// is its text before the first "=", trimmed and compared without regard
/// to letter case; lines without "=" and unknown keys are passed over; a
/// later value overwrites an earlier one. Each file text becomes a location
/// by joining it to `projectFolder` (an absolute name stands alone).
///
/// Raises a failure (FailureError) naming `name` and the line when a line
/// does not decode, an entry cannot be cut (a file key without a file name;
/// MODULE or CLASS without ";" or without a file after it), or a kind lists
/// more than kMaxEntriesPerKind files.
ProjectContents ReadProjectFile(ByteSource& source, const std::string& name, CodePage& codePage,
                                std::u16string_view projectFolder);

/// The kind of file that a TYPE value builds: Exe for Exe and OleExe, Dll
/// for OleDll, Ocx for Control; otherwise the last three characters of
/// `value` (all of it when shorter).
std::u16string ProgramTypeOf(std::u16string_view value);

} // namespace qf
