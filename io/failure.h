#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace qf {

/// What failed. Each kind is raised in one place; the front ends render it
/// (DescribeInEnglish below for the command line, the report's renderer in
/// Chinese for the report and the window).
enum class FailureKind {
  Open,                ///< A file cannot be opened for reading. Detail: the system's words.
  NotAFile,            ///< The path names no regular file. Subject: what it is ("a FIFO").
  Read,                ///< Reading failed. Detail: the system's words.
  LineTooLong,         ///< A line longer than kMaxLineLength.
  Decode,              ///< Bytes do not decode. Subject: the bytes; CodePage; Offset.
  Overflow,            ///< A level leaves the 16-bit range. Subject: the step ("8192 * 4").
  Unjoinable,          ///< A continued header's "_" is not a byte of its own. CodePage.
  Create,              ///< The temporary file cannot be created. Detail.
  Permissions,         ///< Its permission bits cannot be set. Detail.
  Write,               ///< Writing failed. Detail (may be empty).
  Flush,               ///< Flushing to the disk failed. Detail.
  Close,               ///< Closing failed. Detail.
  Replace,             ///< The rewrite cannot be renamed over the source. Detail.
  ReadOnly,            ///< The source is marked read-only (Windows); it is not replaced.
  EntryWithoutName,    ///< A MODULE or CLASS entry has no ";". Subject: the entry.
  EntryWithoutFile,    ///< A file entry names no file. Subject: the entry.
  TooManyEntries,      ///< A kind lists more files than 16 bits count. Subject: the entry;
                       ///< Detail: the kind, in English, plural ("modules").
  ProjectFileListed,   ///< The project file is listed as a source file.
  WrongExtension,      ///< A listed file's name lacks its kind's extension. Listing: the
                       ///< project's key ("Module"); Subject: the entry's name; Expected.
  GroupWithoutProject, ///< A project group names no project.
  GroupProjectMissing, ///< A project group names a project that is not there. Subject: it.
  GroupListsItself,    ///< A project group names itself as a project.
  NoCodePage,          ///< No candidate code page fits and decodes a project's files. The line the
                       ///< best fitting one (CodePage) cannot decode: Subject, its bytes; Offset.
  MixedCodePages,      ///< A file of a project reads in another code page (Subject) than the
                       ///< rest of it (CodePage).
};

/// The kind's name in machine-readable reports ("decode", "wrong-extension").
std::string_view FailureKindName(FailureKind kind);

/// One failure: what failed, the file it concerns (as the user named it),
/// the line where it applies and the particulars of its kind (see
/// FailureKind). A value: it is copied, compared and rendered.
struct Failure {
  FailureKind Kind = FailureKind::Open;
  std::string File;
  std::uint64_t Line = 0;   ///< From 1; 0 when it concerns the whole file.
  std::uint64_t Offset = 0; ///< Decode: the byte offset in the file.
  std::string Subject;      ///< What it is about, besides the file (see FailureKind).
  std::string CodePage;     ///< Decode, Unjoinable: the code page's name.
  std::string Listing;      ///< WrongExtension: how the project lists the file ("Module").
  std::string Expected;     ///< WrongExtension: the extension the file must have (".bas").
  std::string Detail;       ///< The system's own words, where it gave any.

  bool operator==(const Failure&) const = default;
};

/// The failure in English, the way a compiler writes a message:
/// "FILE:LINE: cause" (or "FILE: cause").
std::string DescribeInEnglish(const Failure& failure);

/// A failure on its way to whoever handles it. what() is the English text.
class FailureError : public std::exception {
public:
  explicit FailureError(Failure failure);
  const Failure& Get() const noexcept { return failure_; }
  const char* what() const noexcept override { return text_.c_str(); }

private:
  Failure failure_;
  std::string text_;
};

/// Throws a FailureError of `kind` about `file`.
[[noreturn]] void RaiseFailure(FailureKind kind, std::string file, std::string detail = {});

/// The text of errno `error` ("No such file or directory").
std::string SystemErrorText(int error);

} // namespace qf
