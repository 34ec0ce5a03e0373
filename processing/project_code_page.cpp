#include "processing/project_code_page.h"

#include "io/paths.h"
#include "io/utf.h"
#include "processing/project_file.h"
#include "processing/project_paths.h"
#include "text/code_page_guess.h"
#include "text/line_reader.h"

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

/// The source files that the project file lists when read in `codePage`,
/// located as a run locates them; those that cannot be are left out.
std::vector<fs::path> Sources(std::u16string_view projectPath, const fs::path& projectFile,
                              const std::string& codePage, FileSystem& files) {
  CodePage codes(codePage);
  const std::unique_ptr<OpenedFile> source = files.OpenForReading(projectFile);
  const FileIdentity projectIdentity = source->Facts().Identity;
  ProjectContents project;
  try {
    project = ReadProjectFile(*source, PathText(projectFile), codes, ProjectFolderOf(projectPath));
  } catch (const FailureErrorBase&) {
    return {}; // the run names what is wrong with the project file
  }
  std::vector<fs::path> paths;
  for (const FileKindInfo& kind : kFileKinds)
    for (const SourceFileEntry& entry : project.Entries(kind.Kind)) {
      try {
        paths.push_back(OpenSource(kind.Kind, entry, projectIdentity, files).Path);
      } catch (const FailureErrorBase&) {
        // Passed over: the run stops on it with its own message.
      }
    }
  return paths;
}

CodePageGuess::Verdict Guess(const fs::path& projectFile, const std::vector<fs::path>& sources,
                             FileSystem& files) {
  CodePageGuess guess;
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

  std::vector<fs::path> sources = Sources(projectPath, projectFile, listing, files);
  CodePageGuess::Verdict verdict = Guess(projectFile, sources, files);
  if (!verdict.Error && verdict.CodePage != listing) {
    std::vector<fs::path> again = Sources(projectPath, projectFile, verdict.CodePage, files);
    if (again != sources)
      verdict = Guess(projectFile, again, files);
  }
  if (verdict.Error)
    Raise(*verdict.Error);
  return {verdict.CodePage, verdict.PlainAscii};
}

} // namespace qf

namespace qf {

ProjectCodePage ChooseFileCodePage(const std::filesystem::path& path, FileSystem& files) {
  CodePageGuess guess;
  Feed(guess, path, files);
  const CodePageGuess::Verdict verdict = guess.Decide();
  if (verdict.Error)
    Raise(*verdict.Error);
  return {verdict.CodePage, verdict.PlainAscii};
}

} // namespace qf
