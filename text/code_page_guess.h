#pragma once

#include "text/code_page.h"
#include "text/designer_evidence.h"
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

/// Works out the code page of a body of files from their lines, read once.
///
/// Only a candidate that decodes every line can be chosen. Among those, the
/// evidence is taken in the order of its strength, the first that tells
/// deciding:
///
/// 1. the listed file names (NamesResolveIn): a code page in which they
///    resolve on disk, where others leave them unresolved;
/// 2. the designer headers (DesignerEvidence): the fonts' character sets,
///    unless the ANSI fonts outnumber them five to one, then the localised
///    VB6's own words;
/// 3. the statistics of the text: uchardet's language models over a sample
///    of the lines that hold bytes above 0x7F;
/// 4. where uchardet names none of the candidates, how plausible the sample
///    reads in each: ICU's charset detector (ucsdet) and the share of its
///    characters beyond ASCII that are letters of one script.
///
/// The choice rests on thin evidence (Verdict::ThinEvidence) when it came
/// from the last, or from uchardet over a handful of bytes.
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
  /// The project's listed file names, some of them beyond ASCII, resolve on
  /// disk when read in these code pages (and in no other).
  void NamesResolveIn(std::vector<std::string> codePages);

  /// The outcome: the code page chosen, or the failure that stops the
  /// choice: no candidate decodes every line (the first line the best
  /// fitting one cannot decode), or a file whose text reads as letters of
  /// another script, in another code page, than the rest (the files then
  /// mix code pages).
  struct Verdict {
    std::string CodePage;             ///< a name CodePage opens; empty on failure
    bool PlainAscii = false;          ///< no byte above 0x7F: the default code page
    bool ThinEvidence = false;        ///< chosen on the statistics of a handful of bytes
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
    std::size_t Letters = 0; ///< letters beyond ASCII in the main script
  };
  /// Each candidate's fit for `sample`.
  std::vector<Fit> Score(std::string_view sample);
  std::optional<TextFailure> Misfit(std::size_t chosen);
  /// The candidate uchardet names for the sample, if it decodes every line.
  std::optional<std::size_t> Statistics() const;
  /// The candidate uchardet names for `text`, whether or not it decodes it;
  /// `sure`: none where uchardet's answer is one of its Western doubts.
  std::optional<std::size_t> Detected(std::string_view text, bool sure = false) const;
  std::size_t IndexOf(std::string_view name) const;
  /// Whether a candidate writes characters in more than one byte.
  bool IsMultiByte(std::size_t candidate) const;

  std::vector<Candidate> candidates_;
  std::vector<FileSample> files_;
  std::string file_;
  std::string sample_;
  std::size_t highBytes_ = 0; ///< bytes above 0x7F in the sample
  DesignerEvidence designer_;
  std::optional<std::vector<std::string>> names_;
  std::size_t fileSample_ = 0;
  bool nonAscii_ = false;
};

} // namespace qf
