#pragma once

#include "io/file_system.h"
#include "processing/file_kinds.h"
#include "processing/project_file.h"

#include <filesystem>
#include <memory>
#include <optional>
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

/// The kind whose extension the file name of `path` ends with (any letter
/// case); nothing for any other name.
std::optional<FileKind> KindOfName(const std::filesystem::path& path);

/// A listed source file, opened as a run takes it.
struct OpenedSource {
  /// The file itself, where it is read and replaced: the entry's location
  /// resolved, or, where that is a symbolic link, its final target.
  std::filesystem::path Path;
  std::unique_ptr<OpenedFile> File;
};

/// Opens the file that a project's entry names, as a run handles it: its
/// location resolved (ResolveLocation) and opened (a symbolic link
/// followed). A project may come from anyone and list any path, and a name
/// may be changed while it is looked at, so what is taken is decided from
/// the opened file, never from a second look at the name: a regular file
/// whose names, the listed one and, for a link, the real one, carry the
/// kind's extension, or which begins as VB6 writes a file of the kind
/// (StartsAsKind: a module saved as "Kamera; similasyon.log" is taken), and
/// not the project file (`projectFile`). Raises a WrongExtension failure
/// (also where such a name cannot be opened), an Open or NotAFile failure,
/// a Changed failure when the name no longer leads to the file opened, or
/// a ProjectFileListed failure.
OpenedSource OpenSource(FileKind kind, const SourceFileEntry& entry,
                        const FileIdentity& projectFile, FileSystem& files);

} // namespace qf
