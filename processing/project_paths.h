#pragma once

#include "io/file_system.h"
#include "processing/file_kinds.h"
#include "processing/project_file.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace qf {

/// The project path up to and including its last "/" or "\" (empty when it
/// has none): C:\work\demo\Demo.vbp gives C:\work\demo\.
std::u16string ProjectFolderOf(std::u16string_view projectPath);

/// The location of a file text from the project file: the project folder
/// followed by the text, or the text alone when it is absolute (a drive
/// letter and a colon, or a leading "\" or "/").
std::u16string LocationOf(std::u16string_view projectFolder, std::u16string_view fileText);

/// The file-system path of a location written as on Windows: backslashes
/// are separators, and the name goes to the file system as io/paths.h
/// makes it (UTF-8 on POSIX, UTF-16 on Windows). Where the
/// path does not exist as written, it is looked up one component at a time
/// without regard to letter case (ICU case folding), preferring an exact
/// match and, among several, the first name in byte order. Where a
/// component is not found at all, the path stays as written.
std::filesystem::path ResolveLocation(std::u16string_view location, FileSystem& files);

/// The file that a project's entry names, as a run handles it: its location
/// resolved (ResolveLocation), a symbolic link followed to its target. A
/// project may come from anyone and list any path, so only a file whose
/// name (the link's and its target's) carries the kind's extension is
/// taken, and never the project file itself. Raises a WrongExtension or
/// ProjectFileListed failure.
std::filesystem::path LocateSource(FileKind kind, const SourceFileEntry& entry,
                                   const std::filesystem::path& projectFile, FileSystem& files);

} // namespace qf
