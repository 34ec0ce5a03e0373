#pragma once

#include "io/failure_error.h"
#include "processing/file_kinds.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qf {

/// What is wrong with a project or a project group, or with the run that
/// handles them.
enum class ProjectFailureKind : std::uint8_t {
  EntryWithoutName,     ///< a Module or Class entry has no ";" (Entry: the line)
  EntryWithoutFile,     ///< a file entry names no file (Entry: the line)
  TooManyEntries,       ///< a kind lists more files than 16 bits count (Entry, Of)
  ProjectFileListed,    ///< the project file is listed as a source file
  WrongExtension,       ///< a listed file's name lacks its kind's extension (Of, Entry: its name)
  GroupWithoutProject,  ///< a project group names no project
  GroupProjectMissing,  ///< a project group names a project that is not there (Entry)
  GroupListsItself,     ///< a project group names itself as a project
  GroupEntryNotProject, ///< a project group names a file that is no project file (.vbp)
  OutOfMemory,          ///< the memory ran out while the file was handled
};
inline constexpr std::size_t kProjectFailureKinds = 10;

/// One failure of a project or group, each particular in a field of its
/// own.
struct ProjectFailure {
  ProjectFailureKind Kind = ProjectFailureKind::EntryWithoutName;
  std::string File{};
  std::uint64_t Line = 0;
  std::string Entry{};          ///< the entry's line, the entry's name, or the project named
  std::optional<FileKind> Of{}; ///< the kind of the entry

  bool operator==(const ProjectFailure&) const = default;
};

/// The kind's name in machine-readable reports ("wrong-extension").
std::string_view KindName(ProjectFailureKind kind);

} // namespace qf
