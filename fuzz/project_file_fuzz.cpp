// The project-file reader on any bytes: it either reads them or stops with
// a failure naming the file and a line; every location it gives is the
// folder joined to a non-empty file text, or an absolute one.

#include "fuzz/fuzz_input.h"
#include "fuzz/whole_file_failure.h"
#include "processing/failure.h"
#include "processing/project_file.h"

#include <cstdlib>

namespace {

void Check(bool condition) {
  if (!condition)
    std::abort();
}

void CheckList(const std::vector<qf::SourceFileEntry>& list, bool named) {
  Check(list.size() <= qf::kMaxEntriesPerKind);
  for (const qf::SourceFileEntry& entry : list) {
    Check(entry.Location.size() > 0);
    Check(named || entry.Name.empty());
    Check(entry.Location.find(u'\r') == std::u16string::npos);
    Check(entry.Location.find(u'\n') == std::u16string::npos);
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qf::fuzz::FuzzInput input(data, size);
  qf::CodePage codePage(qf::fuzz::PickCodePage(input.TakeByte()));
  qf::MemorySource source(input.Rest());
  try {
    const qf::ProjectContents project =
        qf::ReadProjectFile(source, "fuzz.vbp", codePage, u"C:\\project\\");
    for (const qf::FileKindInfo& kind : qf::kFileKinds)
      CheckList(project.Entries(kind.Kind), kind.Named);
    Check(project.Info.ProgramType.size() <= 3 || project.Info.ProgramType.empty());
  } catch (const qf::FailureErrorBase&) {
    const qf::Failure failure = qf::HandledFailure();
    Check(qf::FailedFile(failure) == "fuzz.vbp" &&
          (qf::FailedLine(failure) != 0 || qf::fuzz::IsWholeFileFailure(failure)));
  }
  return 0;
}
