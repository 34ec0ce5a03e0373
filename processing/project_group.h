#pragma once

#include "io/file_system.h"
#include "text/code_page.h"

#include <filesystem>
#include <vector>

namespace qf {

/// Reads the project group (.vbg) at `group`: the projects its Project= and
/// StartupProject= lines name (keys in any letter case), in its order, each
/// once (VB6 names the startup project twice). A name is a path relative to
/// the group's folder, or absolute, with "\" as separator, looked up
/// without regard to letter case like a project's own entries.
///
/// Raises a failure naming the group (and the line) when it cannot be
/// read, a line does not decode, it names a project that is not there, it
/// names itself, or it names no project at all; nothing is touched then.
std::vector<std::filesystem::path> ReadProjectGroup(const std::filesystem::path& group,
                                                    CodePage& codePage, FileSystem& files);

/// Whether `path` names a project group by its extension (.vbg, any case).
bool IsProjectGroup(const std::filesystem::path& path);

} // namespace qf
