// Tidying a file again: a rewrite that meets its own work (the marker line,
// its comment blocks) keeps the marker, writes its blocks anew from today's
// declarations and settings, keeps a person's words, and changes nothing in
// a file that is tidy.

#include "io/byte_stream.h"
#include "rewrite/rewrite_pass.h"
#include "tests/rewrite_test_support.h"
#include "text/code_page.h"

#ifdef QF_GENERATOR
#include "bench/vb6_generator.h"
#endif

#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace qf::test {
namespace {

ProcessingSettings Update(ProcessingSettings settings = {}) {
  settings.Update = true;
  return settings;
}

ProcessingSettings Separator(std::u16string_view text) {
  ProcessingSettings settings;
  Separators separators = DeriveSeparators(text);
  settings.SeparatorUnit = separators.Unit;
  settings.SeparatorLine = separators.Line;
  return settings;
}

const std::string kModule =
    Lines({"Attribute VB_Name = \"modT\"", "Option Explicit", "' Loads the list",
           "Public Sub Load(ByVal items As Collection)", "Dim i As Long", "End Sub",
           "Private Function Clamp(value As Long, low As Long) As Long", "Clamp = value",
           "End Function", "Function NoArgs()", "End Function"});

std::string Replaced(std::string text, std::string_view from, std::string_view to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

/// An update of `text` in CP936, with what it told of its blocks.
struct Updated {
  std::string Text;
  RevisitAccount Account;
};

Updated UpdateOf(std::string_view text, const ProcessingSettings& settings = Update(),
                 std::string_view codePage = "CP936") {
  struct Count final : RewriteTrace {
    void MarkerMet() override { Account.MarkerMet = true; }
    void Block(BlockFate fate) override { Account.Count(fate); }
    RevisitAccount Account;
  } trace;
  CodePage codes(codePage);
  MemorySource source(text);
  StringSink sink;
  EXPECT_EQ(RewriteStream(source, sink, "t.bas", settings, codes, &trace),
            RewriteOutcome::Rewritten);
  return {sink.Text(), trace.Account};
}

TEST(UpdateModeTest, ATidyFileComesBackAsItIsAndAnEditedOneAsAFirstRunWritesIt) {
  const std::string first = Rewrite(kModule).Text;
  const Updated again = UpdateOf(first);
  EXPECT_EQ(again.Text, first);
  EXPECT_EQ(again.Account, (RevisitAccount{.MarkerMet = true, .Unchanged = 3}));
  EXPECT_EQ(Rewrite(first).Result, RewriteOutcome::AlreadyProcessed) << "no update asked for";

  // Each declaration edited in the tidy file: one block, of the new signature.
  const std::pair<std::string_view, std::string_view> edits[] = {
      {"ByVal items As", "ByVal list As"},                                          // renamed
      {"low As Long)", "low As Long, high As Long)"},                               // added
      {"value As Long, low As Long)", "value As Long)"},                            // removed
      {"low As Long) As Long", "low As Long) As Double"},                           // return type
      {"(value As Long, low As Long)", "(value As Long, _\r\n    low As Integer)"}, // continued
      {"Function NoArgs()", "Function NoArgs(ByVal a, b As Long)"}                  // from none
  };
  for (const auto& [from, to] : edits) {
    const Updated updated = UpdateOf(Replaced(first, from, to));
    EXPECT_EQ(updated.Text, Rewrite(Replaced(kModule, from, to)).Text) << to;
    EXPECT_EQ(updated.Account.Rebuilt, 1u) << to;
  }

  // An unindented block in a procedure, as a colleague's edit leaves it.
  const std::string edited =
      Replaced(first, "Dim i As Long\r\n", "Dim i As Long\r\nIf i = 1 Then\r\ni = 2\r\nEnd If\r\n");
  EXPECT_EQ(UpdateOf(edited).Text,
            Rewrite(Replaced(kModule, "Dim i As Long\r\n",
                             "Dim i As Long\r\nIf i = 1 Then\r\ni = 2\r\nEnd If\r\n"))
                .Text);

  // A procedure added without a block gets one; a file without the marker is
  // a first run's.
  const std::string added = first + Lines({"Sub Extra()", "End Sub"});
  EXPECT_EQ(UpdateOf(added).Account.Added, 1u);
  EXPECT_EQ(UpdateOf(added).Text, Rewrite(kModule + Lines({"Sub Extra()", "End Sub"})).Text);
  EXPECT_EQ(UpdateOf(kModule).Text, first);
}

TEST(UpdateModeTest, TodaysSeparatorLabelsAndIndentReplaceYesterdays) {
  const std::string first = Rewrite(kModule).Text;
  ProcessingSettings english;
  english.Labels = LabelLanguage::English;
  ProcessingSettings narrow = Separator(u"=*");
  narrow.IndentWidth = 2;
  for (const ProcessingSettings& today : {Separator(u"=*"), english, narrow, Separator(u"#")}) {
    const Updated updated = UpdateOf(first, Update(today));
    EXPECT_EQ(updated.Text, Rewrite(kModule, today).Text);
    EXPECT_EQ(updated.Account.Rebuilt, 3u);
    // ... and back again, from each of them.
    EXPECT_EQ(UpdateOf(updated.Text).Text, first);
  }
  // Labels that a code page could not hold went out as "?": still the program's.
  const std::string unheld = Rewrite(kModule, {}, "CP1252").Text;
  ASSERT_NE(unheld.find("'## ?????Clamp"), std::string::npos) << unheld;
  EXPECT_EQ(UpdateOf(unheld, Update(english), "CP1252").Text,
            Rewrite(kModule, english, "CP1252").Text);
}

TEST(UpdateModeTest, APersonsCommentsComeBackByteForByte) {
  const std::string first = Rewrite(kModule).Text;
  const std::string frame = "'" + std::string(66, '#');
  const std::string block = frame + "\r\n'## \xB9\xFD\xB3\xCC\xC3\xFB\xB3\xC6\xA3\xBALoad\r\n";
  ASSERT_NE(first.find(block), std::string::npos) << first;
  const std::string cases[] = {
      // a line added inside a block; its signature changed since
      Replaced(Replaced(first, block, block + "'## keep in step with Save\r\n"), "ByVal items",
               "ByVal list"),
      // words after a label that no declaration writes
      Replaced(first, "Load\r\n", "Load  (fills the list)\r\n"),
      // frame lines that do not match
      Replaced(first, frame + "\r\nPublic Sub", "'" + std::string(60, '#') + "\r\nPublic Sub"),
      // an opening frame line that no longer is one
      Replaced(first, block, frame + "\t\r\n" + block.substr(frame.size() + 2)),
      // a framed note of theirs directly above a block, not a block itself
      Replaced(first, block, frame + "\r\n' note\r\n" + frame + "\r\n" + block),
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Updated updated = UpdateOf(cases[i]);
    EXPECT_EQ(updated.Text, cases[i]) << "case " << i;
    EXPECT_EQ(updated.Account.Added, 0u) << "case " << i << ": no second block";
    EXPECT_EQ(updated.Account.Kept, i < 4 ? 1u : 0u) << "case " << i;
  }
  // A line that looks like a frame, in code and between procedures.
  const std::string framed = Replaced(
      Replaced(first, "    Dim i As Long\r\n", "    Dim i As Long\r\n    " + frame + "\r\n"),
      "End Sub\r\n", "End Sub\r\n    " + frame + "\r\n    ' next\r\n");
  EXPECT_EQ(UpdateOf(framed).Text, framed);
}

TEST(UpdateModeTest, WithoutBlocksOrMarkerASecondRunChangesNothing) {
  ProcessingSettings bare;
  bare.WriteBlocks = false;
  bare.WriteMarker = false;
  ProcessingSettings unmarked;
  unmarked.WriteMarker = false;
  ProcessingSettings blockless;
  blockless.WriteBlocks = false;
  for (const ProcessingSettings& settings : {bare, unmarked, blockless}) {
    const std::string first = Rewrite(kModule, settings).Text;
    EXPECT_EQ(first.find(kMarkerLine) != std::string::npos, settings.WriteMarker);
    EXPECT_EQ(first.find("'####") != std::string::npos, settings.WriteBlocks);
    EXPECT_EQ(UpdateOf(first, Update(settings)).Text, first);
    if (!settings.WriteMarker) {
      EXPECT_EQ(UpdateOf(first, settings).Text, first) << "a second run, no update asked for";
    }
  }
  // Blocks written before stay as they are where none are written.
  const std::string first = Rewrite(kModule).Text;
  EXPECT_EQ(UpdateOf(Replaced(first, "ByVal items", "ByVal list"), Update(blockless)).Text,
            Replaced(first, "ByVal items", "ByVal list"));
}

#ifdef QF_GENERATOR
/// Spaces added or taken at the ends of random lines, and some CR LF made LF.
std::string Disturbed(const std::string& text, std::mt19937& random) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find("\r\n", at);
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  std::vector<bool> lf(lines.size(), false);
  const int edits = 1 + static_cast<int>(random() % 8);
  for (int e = 0; e < edits; ++e) {
    std::string& line = lines[random() % lines.size()];
    const std::string spaces(1 + random() % 4, ' ');
    switch (random() % 5) {
    case 0:
      line.insert(0, spaces);
      break;
    case 1:
      line += spaces;
      break;
    case 2:
      line.erase(0, line.find_first_not_of(' ') == std::string::npos ? line.size()
                                                                     : line.find_first_not_of(' '));
      break;
    case 3:
      while (!line.empty() && line.back() == ' ')
        line.pop_back();
      break;
    default:
      lf[random() % lines.size()] = true;
    }
  }
  std::string result;
  for (std::size_t i = 0; i < lines.size(); ++i)
    result += lines[i] + (lf[i] ? "\n" : "\r\n");
  return result;
}

TEST(UpdateModeTest, LayoutEditsOfGeneratedFilesConvergeToTheFirstRun) {
  constexpr std::uint32_t kSeed = 20261207;
  std::cout << "random edits with seed " << kSeed << "\n";
  std::mt19937 random(kSeed);
  int edited = 0;
  int differing = 0;
  for (std::uint32_t file = 1; file <= 100; ++file) {
    const std::string module = bench::GenerateModule(3000, file, file % 3 == 0);
    const std::string first = Rewrite(module).Text;
    for (int version = 0; version < 10; ++version, ++edited) {
      const std::string disturbed = Disturbed(first, random);
      differing += disturbed != first ? 1 : 0;
      ASSERT_EQ(UpdateOf(disturbed).Text, first) << "file seed " << file << ", version " << version;
    }
  }
  EXPECT_EQ(edited, 1000);
  EXPECT_GT(differing, 900) << "most versions differ from the first run";
}
#endif

} // namespace
} // namespace qf::test
