#include "cli/json_report.h"

#include "cli/failure_english.h"
#include "io/paths.h"
#include "io/utf.h"

#include <ostream>

namespace qf::cli {

using nlohmann::json;

json FailureJson(const Failure& failure) {
  const IoFailure* io = std::get_if<IoFailure>(&failure);
  json value = {{"what", FailureKindName(failure)},
                {"file", FailedFile(failure)},
                {"line", FailedLine(failure)},
                {"detail", io != nullptr ? SystemErrorText(io->Error) : std::string()},
                {"message", DescribeInEnglish(failure)}};
  const TextFailure* text = std::get_if<TextFailure>(&failure);
  if (text != nullptr && text->Kind == TextFailureKind::Decode)
    value["offset"] = text->Offset;
  return value;
}

JsonReport::JsonReport(std::ostream& out, const std::optional<std::string>& project,
                       const std::string& codePage, std::string_view labels, bool dryRun)
    : out_(out), dryRun_(dryRun), document_({{"project", project ? json(*project) : json()},
                                             {"codePage", codePage},
                                             {"labels", labels},
                                             {"dryRun", dryRun},
                                             {"files", json::array()}}) {}

void JsonReport::ProjectRead(const ProjectInfo& info) {
  document_["properties"] = {{"name", Utf16ToUtf8(info.ProjectName)},
                             {"type", Utf16ToUtf8(info.ProgramType)},
                             {"company", Utf16ToUtf8(info.CompanyName)},
                             {"majorVersion", Utf16ToUtf8(info.MajorVersion)},
                             {"minorVersion", Utf16ToUtf8(info.MinorVersion)},
                             {"revisionVersion", Utf16ToUtf8(info.RevisionVersion)},
                             {"startup", Utf16ToUtf8(info.StartupObject)}};
}

/// A file goes into the list when it is begun; its outcome follows.
void JsonReport::FileStarted(FileKind kind, const SourceFileEntry& entry) {
  json file = {{"kind", InfoOf(kind).JsonName}, {"location", Utf16ToUtf8(entry.Location)}};
  if (InfoOf(kind).Named)
    file["name"] = Utf16ToUtf8(entry.Name);
  document_["files"].push_back(std::move(file));
}

void JsonReport::FileDone(FileKind, const SourceFileEntry&, const FileResult& result) {
  json& file = document_["files"].back();
  file["path"] = PathText(result.Path);
  if (result.Outcome == RewriteOutcome::AlreadyProcessed) {
    file["outcome"] = "already-processed";
  } else if (result.Revisit) {
    const RevisitAccount& account = *result.Revisit;
    if (!result.Changes)
      file["outcome"] = "already-tidy";
    else if (account.Revisited())
      file["outcome"] = dryRun_ ? "would-update" : "updated";
    else
      file["outcome"] = dryRun_ ? "would-rewrite" : "rewritten";
    file["changes"] = result.Changes;
    file["blocks"] = {{"added", account.Added},
                      {"rebuilt", account.Rebuilt},
                      {"unchanged", account.Unchanged},
                      {"kept", account.Kept}};
    untidy_ = untidy_ || (dryRun_ && result.Changes);
  } else {
    file["outcome"] = dryRun_ ? "would-rewrite" : "rewritten";
    if (dryRun_)
      file["changes"] = result.Changes;
    untidy_ = untidy_ || (dryRun_ && result.Changes);
  }
}

void JsonReport::Stopped(const Failure& failure) {
  json& file = document_["files"].back();
  file["outcome"] = "failed";
  file["failure"] = FailureJson(failure);
}

void JsonReport::Finish(const std::optional<Failure>& failure) {
  document_["completed"] = !failure.has_value();
  if (failure)
    document_["failure"] = FailureJson(*failure);
  out_ << document_.dump(-1, ' ', false, json::error_handler_t::replace) << '\n' << std::flush;
}

} // namespace qf::cli
