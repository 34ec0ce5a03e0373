// The rewrite pass on any bytes, in every supported code page, held against
// an independent model of its rules (rewrite_model.h): the same bytes out,
// the same outcome, or a failure at the same line. Beyond that: the same
// input always gives the same bytes; output held back until the code starts
// is the same output, or nothing for a file already processed; and a
// rewritten file fed back in is refused as already processed whenever the
// first rewrite wrote the marker.

#include "fuzz/fuzz_input.h"
#include "fuzz/rewrite_model.h"
#include "fuzz/whole_file_failure.h"
#include "processing/failure.h"
#include "rewrite/rewrite_pass.h"

#include <cstdio>
#include <cstdlib>

namespace {

/// Stops the fuzzer, naming the line of the property that failed.
void Check(bool condition, int line) {
  if (condition)
    return;
  std::fprintf(stderr, "property failed at rewrite_fuzz.cpp:%d\n", line);
  std::abort();
}
#define CHECK(condition) Check((condition), __LINE__)

struct Outcome {
  bool Failed = false;
  std::uint64_t FailedLine = 0;
  qf::RewriteOutcome Result = qf::RewriteOutcome::Rewritten;
  std::string Text;
};

/// Hears when the code starts.
class CodeStartTrace final : public qf::RewriteTrace {
public:
  void CodeStarts() override { Started = true; }
  bool Started = false;
};

Outcome Rewrite(std::string_view input, const qf::ProcessingSettings& settings,
                const char* codePageName) {
  qf::CodePage codePage(codePageName);
  qf::MemorySource source(input);
  qf::StringSink sink;
  CodeStartTrace trace;
  Outcome outcome;
  try {
    outcome.Result = qf::RewriteStream(source, sink, "fuzz.bas", settings, codePage, &trace);
    // The code starts only in a file that is not processed.
    CHECK(!trace.Started || outcome.Result == qf::RewriteOutcome::Rewritten);
  } catch (const qf::FailureErrorBase&) {
    const qf::Failure failure = qf::HandledFailure();
    CHECK(qf::FailedFile(failure) == "fuzz.bas" &&
          (qf::FailedLine(failure) != 0 || qf::fuzz::IsWholeFileFailure(failure)));
    outcome.Failed = true;
    outcome.FailedLine = qf::FailedLine(failure);
  }
  outcome.Text = sink.Text();
  return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qf::fuzz::FuzzInput input(data, size);
  const char* codePage = qf::fuzz::PickCodePage(input.TakeByte());
  qf::ProcessingSettings settings;
  const std::uint8_t indent = input.TakeByte();
  const std::uint8_t separator = input.TakeByte();
  if (separator % 2 == 1)
    settings.Commit(static_cast<std::int16_t>(indent % 101), qf::DeriveSeparators(u"中=-"));
  else
    settings.IndentWidth = static_cast<std::int16_t>(indent % 101);
  const std::string_view file = input.Rest();

  const Outcome first = Rewrite(file, settings, codePage);
  const Outcome again = Rewrite(file, settings, codePage);
  CHECK(first.Failed == again.Failed && first.Result == again.Result && first.Text == again.Text);

  qf::CodePage modelCodes(codePage);
  const qf::fuzz::ModelResult model = qf::fuzz::ModelRewrite(file, settings, modelCodes);
  CHECK(first.Failed == model.Failed);
  if (first.Failed) {
    CHECK(first.FailedLine == model.FailedLine);
    return 0;
  }
  CHECK(first.Result == model.Outcome);
  // A rewrite abandoned at the marker line hands on at most a start of what
  // it had written.
  if (first.Result == qf::RewriteOutcome::AlreadyProcessed)
    CHECK(model.Text.starts_with(first.Text));
  else
    CHECK(first.Text == model.Text);

  if (first.Result == qf::RewriteOutcome::Rewritten && model.MarkerWritten) {
    const Outcome fedBack = Rewrite(first.Text, settings, codePage);
    CHECK(!fedBack.Failed && fedBack.Result == qf::RewriteOutcome::AlreadyProcessed);
  }
  return 0;
}
