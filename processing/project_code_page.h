#pragma once

#include "io/file_system.h"
#include "processing/failure.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qf {

/// The code page a project's files were found to be in.
struct ProjectCodePage {
  std::string Name;          ///< a name CodePage opens
  bool PlainAscii = false;   ///< nothing to tell: every byte is ASCII (the default code page)
  bool ThinEvidence = false; ///< chosen on the statistics of a handful of bytes (CodePageGuess)
};

/// Chooses the code page of the project at `projectPath` from its files, as
/// a run would find them (LocateSource), before anything is touched: the
/// project file and every listed source file are read once, line by line,
/// and weighed by CodePageGuess (see there), with the code pages in which
/// the listed names resolve on disk, where they hold characters beyond
/// ASCII. The source files are listed
/// from the project file read in the code page its own text fits; if the
/// final choice lists other files, the guess is made once more with those.
/// A listed file that cannot be located or read is passed over: the run
/// names it.
///
/// Raises the failure that stops the choice: the project file cannot be
/// read, or no candidate fits the text and decodes every line (NoCodePage,
/// naming the first line the best fitting one cannot decode).
ProjectCodePage ChooseProjectCodePage(std::u16string_view projectPath, FileSystem& files);

/// The code page of the one file at `path` (a file to print, a project
/// group), chosen the same way.
ProjectCodePage ChooseFileCodePage(const std::filesystem::path& path, FileSystem& files);

/// The one code page of the source files at `paths` (named by themselves,
/// with no project file), chosen the same way from all of them; a file
/// that cannot be read is passed over (the run names it).
ProjectCodePage ChooseSourcesCodePage(const std::vector<std::filesystem::path>& paths,
                                      FileSystem& files);

} // namespace qf
