#include "processing/project_code_page.h"

#include "io/paths.h"
#include "io/utf.h"
#include "processing/project_file.h"
#include "processing/project_paths.h"
#include "text/code_page_guess.h"
#include "text/line_reader.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace qf {
namespace {

namespace fs = std::filesystem;

/// Feeds every line of the file at `path` to `guess`.
void Feed(CodePageGuess& guess, const fs::path& path, FileSystem& files) {
  const std::unique_ptr<ByteSource> source = files.OpenForReading(path);
  LineReader lines(*source);
  guess.StartFile(PathText(path));
  std::string_view line;
  while (lines.Next(line))
    guess.Line(line, lines.LineNumber(), lines.LineOffset());
}

/// What the project file lists when read in a code page.
struct Listing {
  std::vector<fs::path> Located; ///< the listed files located as a run locates them
  std::size_t Found = 0;         ///< of them, the ones that are there
  std::size_t Listed = 0;        ///< the entries listed
  bool BeyondAscii = false;      ///< whether a listed file's name holds characters beyond ASCII
  bool Readable = false;         ///< whether the project file reads in the code page
};

/// The source files that the project file lists when read in `codePage`:
/// how many are there, and, with `locate`, where they are, opened as a run
/// opens them (those that cannot be are left out).
Listing Sources(std::u16string_view projectPath, const fs::path& projectFile,
                std::string_view codePage, FileSystem& files, bool locate = true) {
  Listing listing;
  CodePage codes(codePage);
  const std::unique_ptr<OpenedFile> source = files.OpenForReading(projectFile);
  const FileIdentity projectIdentity = source->Facts().Identity;
  ProjectContents project;
  const std::u16string folder = ProjectFolderOf(projectPath);
  try {
    project = ReadProjectFile(*source, PathText(projectFile), codes, folder);
  } catch (const FailureErrorBase&) {
    return listing; // the run names what is wrong with the project file
  }
  listing.Readable = true;
  for (const FileKindInfo& kind : kFileKinds)
    for (const SourceFileEntry& entry : project.Entries(kind.Kind)) {
      ++listing.Listed;
      const std::u16string_view name =
          std::u16string_view(entry.Location)
              .substr(entry.Location.compare(0, folder.size(), folder) == 0 ? folder.size() : 0);
      listing.BeyondAscii = listing.BeyondAscii || std::any_of(name.begin(), name.end(),
                                                               [](char16_t c) { return c > 0x7F; });
      try {
        listing.Found += files.Exists(ResolveLocation(entry.Location, files)) ? 1 : 0;
        if (locate)
          listing.Located.push_back(OpenSource(kind.Kind, entry, projectIdentity, files).Path);
      } catch (const FailureErrorBase&) {
        // Passed over: the run stops on it with its own message.
      }
    }
  return listing;
}

/// The code pages in which every file the project lists is found, where a
/// listed name holds characters beyond ASCII in some reading of it; nothing
/// where the names are ASCII, and so the same in every code page.
std::optional<std::vector<std::string>> ResolvingCodePages(std::u16string_view projectPath,
                                                           const fs::path& projectFile,
                                                           FileSystem& files) {
  std::vector<std::string> resolving;
  bool beyondAscii = false;
  for (std::string_view codePage : kGuessableCodePages) {
    const Listing listing = Sources(projectPath, projectFile, codePage, files, false);
    beyondAscii = beyondAscii || listing.BeyondAscii;
    if (listing.Readable && listing.Listed > 0 && listing.Found == listing.Listed)
      resolving.emplace_back(codePage);
  }
  if (!beyondAscii)
    return std::nullopt;
  return resolving;
}

CodePageGuess::Verdict Guess(const fs::path& projectFile, const std::vector<fs::path>& sources,
                             const std::optional<std::vector<std::string>>& resolving,
                             FileSystem& files) {
  CodePageGuess guess;
  if (resolving)
    guess.NamesResolveIn(*resolving);
  Feed(guess, projectFile, files);
  for (const fs::path& source : sources) {
    try {
      Feed(guess, source, files);
    } catch (const FailureErrorBase&) {
      // Unreadable here, and so in the run, which names it.
    }
  }
  return guess.Decide();
}

} // namespace

ProjectCodePage ChooseProjectCodePage(std::u16string_view projectPath, FileSystem& files) {
  const fs::path projectFile = PathFromUtf16(projectPath);
  // The project file alone says how to read its own list of files.
  CodePageGuess own;
  Feed(own, projectFile, files);
  const CodePageGuess::Verdict first = own.Decide();
  const std::string listing = first.Error ? std::string(kDefaultCodePage) : first.CodePage;

  const std::optional<std::vector<std::string>> resolving =
      ResolvingCodePages(projectPath, projectFile, files);
  std::vector<fs::path> sources = Sources(projectPath, projectFile, listing, files).Located;
  CodePageGuess::Verdict verdict = Guess(projectFile, sources, resolving, files);
  if (!verdict.Error && verdict.CodePage != listing) {
    std::vector<fs::path> again =
        Sources(projectPath, projectFile, verdict.CodePage, files).Located;
    if (again != sources)
      verdict = Guess(projectFile, again, resolving, files);
  }
  if (verdict.Error)
    Raise(*verdict.Error);
  return {verdict.CodePage, verdict.PlainAscii, verdict.ThinEvidence};
}

} // namespace qf

namespace qf {

ProjectCodePage ChooseFileCodePage(const std::filesystem::path& path, FileSystem& files) {
  CodePageGuess guess;
  Feed(guess, path, files);
  const CodePageGuess::Verdict verdict = guess.Decide();
  if (verdict.Error)
    Raise(*verdict.Error);
  return {verdict.CodePage, verdict.PlainAscii, verdict.ThinEvidence};
}

} // namespace qf

namespace qf {

ProjectCodePage ChooseSourcesCodePage(const std::vector<std::filesystem::path>& paths,
                                      FileSystem& files) {
  CodePageGuess guess;
  for (const std::filesystem::path& path : paths) {
    try {
      Feed(guess, path, files);
    } catch (const FailureErrorBase&) {
      // Unreadable here, and so in the run, which names it.
    }
  }
  const CodePageGuess::Verdict verdict = guess.Decide();
  if (verdict.Error)
    Raise(*verdict.Error);
  return {verdict.CodePage, verdict.PlainAscii, verdict.ThinEvidence};
}

} // namespace qf
