// The rewrite pass on any bytes, in every supported code page. Beyond not
// crashing: apart from the spaces at their ends, the lines come out as they
// went in, with the marker and the comment blocks as the only additions and
// a continued header joined as the only change; the same input always gives
// the same bytes; and a rewritten file fed back in is refused as already
// processed whenever the first rewrite wrote the marker.

#include "fuzz/fuzz_input.h"
#include "rewrite/keywords.h"
#include "rewrite/procedure_header.h"
#include "rewrite/rewrite_pass.h"
#include "text/line_reader.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

namespace kw = qf::keywords;

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
  std::int32_t Result = 0;
  std::string Text;
};

Outcome Rewrite(std::string_view input, const qf::ProcessingSettings& settings,
                const char* codePageName) {
  qf::CodePage codePage(codePageName);
  qf::MemorySource source(input);
  qf::StringSink sink;
  Outcome outcome;
  try {
    outcome.Result = qf::RewriteStream(source, sink, "fuzz.bas", settings, codePage);
  } catch (const qf::SourceError& error) {
    CHECK(std::string(error.what()).rfind("fuzz.bas:", 0) == 0);
    outcome.Failed = true;
  }
  outcome.Text = sink.Text();
  return outcome;
}

std::vector<std::string_view> SplitCrLf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find("\r\n");
    CHECK(end != std::string_view::npos); // every line written ends with CR LF
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end + 2);
  }
  return lines;
}

/// One input line: its bytes less the spaces at its ends, and its text.
/// The lines end before the first one that does not decode.
struct InputLine {
  std::string Bytes;
  std::u16string Text;
};

std::vector<InputLine> ReadLines(std::string_view input, qf::CodePage& codePage) {
  qf::MemorySource source(input);
  qf::LineReader reader(source);
  std::vector<InputLine> lines;
  std::u16string buffer;
  std::string_view raw;
  while (reader.Next(raw)) {
    const std::string_view bytes = kw::TrimSpaces(raw);
    try {
      lines.push_back({std::string(bytes), std::u16string(codePage.Decode(bytes, buffer))});
    } catch (const qf::DecodeFault&) {
      break; // the pass can only have stopped earlier, at the marker
    }
  }
  return lines;
}

bool IsHeader(std::u16string_view t) {
  return kw::StartsWithWord(t, u"PRIVATE SUB") || kw::StartsWithWord(t, u"PRIVATE FUNCTION") ||
         kw::StartsWith(t, u"SUB ") || kw::StartsWith(t, u"FUNCTION ") ||
         kw::StartsWithWord(t, u"PUBLIC SUB") || kw::StartsWithWord(t, u"PUBLIC FUNCTION");
}

/// Walks input and output side by side and checks that the output is the
/// input with new indentation, the marker and the comment blocks added and
/// continued headers joined. Returns whether the marker was written.
bool CheckTextKept(std::string_view input, const Outcome& out,
                   const qf::ProcessingSettings& settings, const char* codePageName) {
  qf::CodePage codePage(codePageName);
  const std::vector<InputLine> in = ReadLines(input, codePage);
  const std::vector<std::string_view> written = SplitCrLf(out.Text);
  const std::u16string_view marker = u"'Quillformer By Vendelmark";
  std::size_t o = 0;
  const auto expect = [&](std::string_view bytes) {
    CHECK(o < written.size() && kw::TrimSpaces(written[o]) == bytes);
    CHECK(written[o].size() == bytes.size() || written[o].front() == ' ');
    ++o;
  };
  bool inCode = false;
  bool attributeSeen = false;
  bool markerWritten = false;
  for (std::size_t i = 0; i < in.size(); ++i) {
    const InputLine& line = in[i];
    if (!inCode) {
      if (line.Text == marker) {
        CHECK(out.Result == qf::kAlreadyProcessed && o == written.size());
        return false;
      }
      if (kw::StartsWith(line.Text, u"ATTRIBUTE"))
        attributeSeen = true;
      else if (attributeSeen)
        inCode = true;
      if (!inCode) {
        expect(line.Bytes);
        continue;
      }
    }
    if (!markerWritten) {
      CHECK(o < written.size() && written[o] == qf::kMarkerLine);
      ++o;
      markerWritten = true;
    }
    if (!IsHeader(line.Text)) {
      expect(line.Bytes);
      continue;
    }
    std::string bytes = line.Bytes;
    std::u16string text = line.Text;
    // The header goes on while the line last read ends with "_" (the
    // joined text may end with one that is not a continuation mark).
    for (bool more = kw::EndsWith(text, u"_"); more && i + 1 < in.size();) {
      const InputLine& next = in[++i];
      more = kw::EndsWith(next.Text, u"_");
      bytes.pop_back();
      text.pop_back();
      while (!bytes.empty() && bytes.back() == ' ')
        bytes.pop_back();
      while (!text.empty() && text.back() == u' ')
        text.pop_back();
      if (!text.empty() && !next.Text.empty() && kw::IsWordChar(text.back()) &&
          kw::IsWordChar(next.Text.front())) {
        bytes += ' ';
        text += u' ';
      }
      bytes += next.Bytes;
      text += next.Text;
    }
    std::string block;
    codePage.Encode(qf::BuildProcedureHeader(text, settings), block);
    block += "\r\n";
    for (std::string_view blockLine : SplitCrLf(block)) {
      CHECK(o < written.size() && written[o] == blockLine);
      ++o;
    }
    CHECK(o < written.size() && written[o] == bytes);
    ++o;
  }
  CHECK(o == written.size() && out.Result == qf::kRewritten);
  return markerWritten;
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
  if (first.Failed)
    return 0;
  if (CheckTextKept(file, first, settings, codePage)) {
    const Outcome fedBack = Rewrite(first.Text, settings, codePage);
    CHECK(!fedBack.Failed && fedBack.Result == qf::kAlreadyProcessed);
  }
  return 0;
}
