#include "cli/failure_english.h"

#include "processing/file_kinds.h"

#include <array>
#include <string_view>

namespace qf::cli {
namespace {

using namespace std::string_view_literals;

// The texts of every kind, in the order of its enumeration. "{name}" stands
// for a particular of the failure (see Particular below).

constexpr std::array<std::string_view, kIoFailureKinds> kIoTexts = {
    "cannot open for reading{system}",                   // Open
    "cannot open for reading: {type}",                   // NotAFile
    "read failed{system}",                               // Read
    "cannot create{system}",                             // Create
    "cannot set its permissions{system}",                // Permissions
    "write failed{system}",                              // Write
    "cannot flush to disk{system}",                      // Flush
    "cannot close{system}",                              // Close
    "cannot replace it with the rewritten text{system}", // Replace
    "it is read-only; a read-only file is not replaced (make it writable to have it "
    "rewritten)", // ReadOnly
    "it belongs to another user or group, which a rewrite could not keep; it is not replaced "
    "(run as its owner to have it rewritten)", // Foreign
    "cannot create: a folder stands where the rewrite's temporary file goes (remove it to have "
    "the file rewritten)", // TemporaryIsFolder
    "it was replaced by another file while it was read; it is left as it is (run again to have "
    "it rewritten)", // Changed
};

constexpr std::array<std::string_view, kTextFailureKinds> kTextTexts = {
    "the line is longer than 64 MiB (VB6 writes at most 1,023 characters a line)", // LineTooLong
    "the bytes {bytes} do not decode in code page {code_page} (byte offset {offset} in the "
    "file)", // Decode
    "cannot tell the project's code page: the bytes {bytes} (byte offset {offset} in the file) "
    "do not decode in {code_page}, the code page its text fits best; its files may mix code "
    "pages (--encoding NAME chooses one)", // NoCodePage
    "cannot tell the project's code page: this file reads as {other_code_page}, the project's "
    "other files as {code_page} (--encoding NAME chooses one for all)", // MixedCodePages
    "the file is in UTF-16, not in a code page VB6 writes; it is not read (save it in its "
    "ANSI code page to have it rewritten)", // Utf16
};

constexpr std::array<std::string_view, kRewriteFailureKinds> kRewriteTexts = {
    "16-bit overflow: {step} leaves the range -32768 to 32767", // Overflow
    "cannot join the continued procedure header: its \"_\" is not a byte of its own in code "
    "page {code_page}", // Unjoinable
};

constexpr std::array<std::string_view, kProjectFailureKinds> kProjectTexts = {
    "cannot read the entry \"{entry}\": no \";\" between the name and the file", // EntryWithoutName
    "cannot read the entry \"{entry}\": no file name",                           // EntryWithoutFile
    "cannot read the entry \"{entry}\": 16-bit overflow: more than 32,766 {kinds} in one "
    "project",                                                                  // TooManyEntries
    "it is the project file itself; it is not rewritten as a source file",      // ProjectFileListed
    "not rewritten: listed as {kind}{named}, it must be a {extension} file",    // WrongExtension
    "the project group names no project (no Project= or StartupProject= line)", // GroupWithout…
    "the project group names {entry}, which is not there",              // GroupProjectMissing
    "the project group names itself as a project",                      // GroupListsItself
    "the project group names {entry}, which is no project file (.vbp)", // GroupEntryNotProject
    "not enough memory to go on; the file is left as it is",            // OutOfMemory
};

/// What stands at a path that is no regular file, by FileType.
constexpr std::array<std::string_view, 8> kFileTypes = {
    "it is a regular file",
    "it is a directory",
    "it is a FIFO, not a regular file",
    "it is a socket, not a regular file",
    "it is a character device, not a regular file",
    "it is a block device, not a regular file",
    "it is a pipe, not a regular file",
    "it is a special file, not a regular file",
};

template <typename Kind, std::size_t N>
std::string_view TextOf(const std::array<std::string_view, N>& table, Kind kind) {
  return table[static_cast<std::size_t>(kind)];
}

// The particulars of each layer's failures, by the names the texts use.

std::string Particular(const IoFailure& f, std::string_view name) {
  if (name == "system"sv) {
    const std::string words = SystemErrorText(f.Error);
    return words.empty() ? words : ": " + words;
  }
  return std::string(kFileTypes[static_cast<std::size_t>(f.Type)]); // type
}

std::string Particular(const TextFailure& f, std::string_view name) {
  if (name == "bytes"sv)
    return f.Bytes;
  if (name == "offset"sv)
    return std::to_string(f.Offset);
  return name == "code_page"sv ? f.CodePage : f.OtherCodePage;
}

std::string Particular(const RewriteFailure& f, std::string_view name) {
  return name == "step"sv ? f.Step : f.CodePage;
}

std::string Particular(const ProjectFailure& f, std::string_view name) {
  if (name == "entry"sv)
    return f.Entry;
  if (name == "named"sv)
    return f.Entry.empty() ? std::string() : " \"" + f.Entry + "\"";
  if (!f.Of)
    return {};
  const FileKindInfo& kind = InfoOf(*f.Of);
  if (name == "kind"sv)
    return std::string(kind.Listing);
  return std::string(name == "kinds"sv ? kind.EnglishPlural : kind.Extension);
}

std::string_view TextOf(const IoFailure& f) {
  return TextOf(kIoTexts, f.Kind);
}
std::string_view TextOf(const TextFailure& f) {
  return TextOf(kTextTexts, f.Kind);
}
std::string_view TextOf(const RewriteFailure& f) {
  return TextOf(kRewriteTexts, f.Kind);
}
std::string_view TextOf(const ProjectFailure& f) {
  return TextOf(kProjectTexts, f.Kind);
}

} // namespace

std::string DescribeInEnglish(const Failure& failure) {
  std::string text = FailedFile(failure);
  if (FailedLine(failure) != 0)
    text += ":" + std::to_string(FailedLine(failure));
  text += ": ";
  text += std::visit(
      [](const auto& f) {
        return FillIn(TextOf(f), [&f](std::string_view name) { return Particular(f, name); });
      },
      failure);
  return text;
}

} // namespace qf::cli
