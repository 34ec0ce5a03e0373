#include "io/failure.h"

#include <system_error>

namespace qf {
namespace {

std::string WithDetail(std::string cause, const std::string& detail) {
  if (!detail.empty())
    cause += ": " + detail;
  return cause;
}

std::string Entry(const Failure& failure, const std::string& why) {
  return "cannot read the entry \"" + failure.Subject + "\": " + why;
}

std::string Cause(const Failure& f) {
  switch (f.Kind) {
  case FailureKind::Open:
    return WithDetail("cannot open for reading", f.Detail);
  case FailureKind::NotAFile:
    return f.Subject == "a directory"
               ? "cannot open for reading: it is a directory"
               : "cannot open for reading: it is " + f.Subject + ", not a regular file";
  case FailureKind::Read:
    return WithDetail("read failed", f.Detail);
  case FailureKind::LineTooLong:
    return "the line is longer than 64 MiB (VB6 writes at most 1,023 characters a line)";
  case FailureKind::Decode:
    return "the bytes " + f.Subject + " do not decode in code page " + f.CodePage +
           " (byte offset " + std::to_string(f.Offset) + " in the file)";
  case FailureKind::Overflow:
    return "16-bit overflow: " + f.Subject + " leaves the range -32768 to 32767";
  case FailureKind::Unjoinable:
    return "cannot join the continued procedure header: its \"_\" is not a byte of its own in "
           "code page " +
           f.CodePage;
  case FailureKind::Create:
    return WithDetail("cannot create", f.Detail);
  case FailureKind::Permissions:
    return WithDetail("cannot set its permissions", f.Detail);
  case FailureKind::Write:
    return WithDetail("write failed", f.Detail);
  case FailureKind::Flush:
    return WithDetail("cannot flush to disk", f.Detail);
  case FailureKind::Close:
    return WithDetail("cannot close", f.Detail);
  case FailureKind::Replace:
    return WithDetail("cannot replace it with the rewritten text", f.Detail);
  case FailureKind::ReadOnly:
    return "it is read-only; a read-only file is not replaced (clear its read-only attribute "
           "to have it rewritten)";
  case FailureKind::EntryWithoutName:
    return Entry(f, "no \";\" between the name and the file");
  case FailureKind::EntryWithoutFile:
    return Entry(f, "no file name");
  case FailureKind::TooManyEntries:
    return Entry(f, "16-bit overflow: more than 32,766 " + f.Detail + " in one project");
  case FailureKind::ProjectFileListed:
    return "it is the project file itself; it is not rewritten as a source file";
  case FailureKind::GroupWithoutProject:
    return "the project group names no project (no Project= or StartupProject= line)";
  case FailureKind::GroupProjectMissing:
    return "the project group names " + f.Subject + ", which is not there";
  case FailureKind::GroupListsItself:
    return "the project group names itself as a project";
  case FailureKind::NoCodePage:
    return "cannot tell the project's code page: the bytes " + f.Subject + " (byte offset " +
           std::to_string(f.Offset) + " in the file) do not decode in " + f.CodePage +
           ", the code page its text fits best; its files may mix code pages (--encoding NAME "
           "chooses one)";
  case FailureKind::MixedCodePages:
    return "cannot tell the project's code page: this file reads as " + f.Subject +
           ", the project's other files as " + f.CodePage +
           " (--encoding NAME chooses one for all)";
  case FailureKind::WrongExtension:
    return "not rewritten: listed as " + f.Listing +
           (f.Subject.empty() ? std::string() : " \"" + f.Subject + "\"") + ", it must be a " +
           f.Expected + " file";
  }
  return "failed";
}

} // namespace

std::string_view FailureKindName(FailureKind kind) {
  switch (kind) {
  case FailureKind::Open:
    return "open";
  case FailureKind::NotAFile:
    return "not-a-file";
  case FailureKind::Read:
    return "read";
  case FailureKind::LineTooLong:
    return "line-too-long";
  case FailureKind::Decode:
    return "decode";
  case FailureKind::Overflow:
    return "overflow";
  case FailureKind::Unjoinable:
    return "unjoinable";
  case FailureKind::Create:
    return "create";
  case FailureKind::Permissions:
    return "permissions";
  case FailureKind::Write:
    return "write";
  case FailureKind::Flush:
    return "flush";
  case FailureKind::Close:
    return "close";
  case FailureKind::Replace:
    return "replace";
  case FailureKind::ReadOnly:
    return "read-only";
  case FailureKind::EntryWithoutName:
    return "entry-without-name";
  case FailureKind::EntryWithoutFile:
    return "entry-without-file";
  case FailureKind::TooManyEntries:
    return "too-many-entries";
  case FailureKind::ProjectFileListed:
    return "project-file-listed";
  case FailureKind::WrongExtension:
    return "wrong-extension";
  case FailureKind::GroupWithoutProject:
    return "group-without-project";
  case FailureKind::GroupProjectMissing:
    return "group-project-missing";
  case FailureKind::GroupListsItself:
    return "group-lists-itself";
  case FailureKind::NoCodePage:
    return "no-code-page";
  case FailureKind::MixedCodePages:
    return "mixed-code-pages";
  }
  return "failure";
}

std::string DescribeInEnglish(const Failure& failure) {
  std::string text = failure.File;
  if (failure.Line != 0)
    text += ":" + std::to_string(failure.Line);
  text += ": ";
  text += Cause(failure);
  return text;
}

FailureError::FailureError(Failure failure)
    : failure_(std::move(failure)), text_(DescribeInEnglish(failure_)) {}

void RaiseFailure(FailureKind kind, std::string file, std::string detail) {
  Failure failure;
  failure.Kind = kind;
  failure.File = std::move(file);
  failure.Detail = std::move(detail);
  throw FailureError(std::move(failure));
}

std::string SystemErrorText(int error) {
  return std::generic_category().message(error);
}

} // namespace qf
