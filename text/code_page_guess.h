#pragma once

#include "text/code_page.h"
#include "text/text_failure.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qf {

/// The code pages VB6 writes its files in, and UTF-8: the ones a guess
/// chooses from, in the order that settles a tie.
inline constexpr std::array<std::string_view, 15> kGuessableCodePages = {
    "windows-936",  "windows-950",  "windows-932",  "windows-949",  "windows-874",
    "windows-1252", "windows-1250", "windows-1251", "windows-1253", "windows-1254",
    "windows-1255", "windows-1256", "windows-1257", "windows-1258", "UTF-8"};

/// Works out the code page of a body of files from their lines, read once:
/// which candidates decode every line, and which fits the text best.
///
/// "Fits" weighs two things. ICU's charset detector (ucsdet) over a sample
/// of the lines that hold bytes above 0x7F, which knows the language models
/// of most of the candidates; and how plausible the sample reads in each
/// candidate: how many of its characters beyond ASCII are letters, and of
/// one script. The second tells apart what the detector cannot (Thai, a
/// Western code page that happens to decode Chinese bytes).
///
/// Memory is bounded: at most a few KiB of sample per file and 256 KiB in
/// all, whatever the size of the files.
class CodePageGuess {
public:
  CodePageGuess();
  ~CodePageGuess();
  CodePageGuess(const CodePageGuess&) = delete;
  CodePageGuess& operator=(const CodePageGuess&) = delete;

  /// Starts the lines of another file; `name` names it in failures.
  void StartFile(std::string name);
  /// One line of the current file: its bytes without the break, its number
  /// (from 1) and its offset in the file.
  void Line(std::string_view bytes, std::uint64_t number, std::uint64_t offset);

  /// The outcome: the code page chosen, or the failure that stops the
  /// choice: the first line the best fitting code page cannot decode, or a
  /// file that fits another code page far better than the rest (the files
  /// then mix code pages, or are in none of the candidates).
  struct Verdict {
    std::string CodePage;             ///< a name CodePage opens; empty on failure
    bool PlainAscii = false;          ///< no byte above 0x7F: the default code page
    std::optional<TextFailure> Error; ///< why none was chosen
  };
  Verdict Decide();

private:
  struct Candidate;
  /// Where a file's lines stand in the sample.
  struct FileSample {
    std::string Name;
    std::size_t Begin = 0;
    std::size_t End = 0;
    std::size_t Lines = 0;
  };

  /// A candidate's fit for a sample, and the writing system most of the
  /// sample's letters belong to when read in it (a UScriptCode).
  struct Fit {
    double Score = 0;
    int Script = 0;
  };
  /// Each candidate's fit for `sample`.
  std::vector<Fit> Score(std::string_view sample);
  std::optional<TextFailure> Misfit(std::size_t chosen);

  std::vector<Candidate> candidates_;
  std::vector<FileSample> files_;
  std::string file_;
  std::string sample_;
  std::size_t fileSample_ = 0;
  bool nonAscii_ = false;
};

} // namespace qf
