#include "tests/rewrite_test_support.h"

#include "io/byte_stream.h"
#include "io/utf.h"
#include "processing/file_rewrite.h"
#include "rewrite/rewrite_pass.h"
#include "text/code_page.h"

#include <gtest/gtest.h>
#include <vector>

namespace qf::test {
namespace {

std::vector<std::string> SplitCrLf(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find("\r\n");
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 2);
  }
  return lines;
}

/// Takes out what the pass adds: the marker line and the comment blocks.
std::string StripInserted(std::string_view text, const ProcessingSettings& settings,
                          CodePage& codePage) {
  std::string separator = "'";
  codePage.Encode(settings.SeparatorLine, separator);
  std::string kept;
  bool markerSeen = false;
  bool inBlock = false;
  for (const std::string& line : SplitCrLf(text)) {
    if (!markerSeen && line == kMarkerLine) {
      markerSeen = true;
      continue;
    }
    if (line == separator) {
      inBlock = !inBlock;
      continue;
    }
    if (!inBlock)
      kept += line + "\r\n";
  }
  return kept;
}

} // namespace

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

Rewritten Rewrite(std::string_view input, const ProcessingSettings& settings,
                  std::string_view codePage) {
  CodePage codes(codePage);
  MemorySource source(input);
  StringSink sink;
  Rewritten out;
  out.Result = RewriteStream(source, sink, "test.bas", settings, codes);
  out.Text = sink.Text();
  return out;
}

void VerifyRewrite(std::string_view input, std::string_view expected,
                   const ProcessingSettings& settings, std::string_view codePage) {
  const Rewritten first = Rewrite(input, settings, codePage);
  ASSERT_EQ(first.Result, RewriteOutcome::Rewritten);
  EXPECT_EQ(first.Text, expected) << "input:\n" << input;

  CodePage codes(codePage);
  const std::string stripped = StripInserted(first.Text, settings, codes);
  EXPECT_EQ(Rewrite(stripped, settings, codePage).Text, first.Text)
      << "rewriting the result once more (marker and comment blocks taken out) changed it";
  if (first.Text.find(std::string(kMarkerLine) + "\r\n") != std::string::npos &&
      first.Text.find("Attribute") != std::string::npos) {
    EXPECT_EQ(Rewrite(first.Text, settings, codePage).Result, RewriteOutcome::AlreadyProcessed)
        << "a rewritten file must be refused as already processed";
  }
}

std::string HeaderBlock(std::initializer_list<std::string_view> innerLines) {
  const std::string separator = "'" + std::string(66, '#');
  std::string block = separator + "\r\n";
  CodePage gbk("CP936");
  for (std::string_view line : innerLines) {
    gbk.Encode(Utf8ToUtf16(line), block);
    block += "\r\n";
  }
  return block + separator + "\r\n";
}

RewriteOutcome RewriteInPlace(const std::filesystem::path& path, const ProcessingSettings& settings,
                              CodePage& codePage, FileSystem& files) {
  FileRewrite rewrite;
  {
    OpenedSource source{path, files.OpenForReading(path)};
    rewrite = RewriteFile(source, {settings, codePage, files, RunMode::Write});
  } // closed, as a run closes it: Windows replaces no file held open
  if (rewrite.Staged) {
    rewrite.Staged->Seal();
    rewrite.Staged->Commit();
  }
  return rewrite.Outcome;
}

} // namespace qf::test
