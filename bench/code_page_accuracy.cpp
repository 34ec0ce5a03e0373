// How often --encoding auto chooses the right code page: generated projects
// whose modules hold real sentences of a language (bench/sentences/*.txt)
// in comments and string literals, in that language's ANSI code page, from
// one line of such text to thousands, and projects of plain ASCII.
//
// Run: build/bin/quillformer-code-page-bench [PROJECTS-PER-CELL]

#include "io/utf.h"
#include "processing/failure.h"
#include "processing/project_code_page.h"
#include "text/code_page.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Language {
  const char* Code;
  const char* CodePage; ///< as the guess names it
};

const Language kLanguages[] = {
    {"de", "windows-1252"},   {"fr", "windows-1252"}, {"es", "windows-1252"},
    {"pl", "windows-1250"},   {"cs", "windows-1250"}, {"ru", "windows-1251"},
    {"el", "windows-1253"},   {"tr", "windows-1254"}, {"zh-CN", "windows-936"},
    {"zh-TW", "windows-950"}, {"ja", "windows-932"},  {"ko", "windows-949"},
    {"th", "windows-874"}};

/// Lines of text beyond ASCII in a project.
const int kSizes[] = {1, 2, 3, 5, 10, 30, 100, 1000};

std::vector<std::u16string> Sentences(const std::string& language) {
  std::ifstream in(std::string(QF_SENTENCES_DIR) + "/" + language + ".txt");
  std::vector<std::u16string> sentences;
  // Only sentences beyond ASCII: one of plain ASCII gives the default.
  for (std::string line; std::getline(in, line);)
    if (std::any_of(line.begin(), line.end(), [](char c) { return (c & 0x80) != 0; }))
      sentences.push_back(qf::Utf8ToUtf16(line));
  return sentences;
}

/// A project of one to three modules, `lines` of them holding a sentence;
/// with `other`, a last module of as many lines in another language.
void WriteProject(const fs::path& folder, const std::vector<std::u16string>& sentences,
                  qf::CodePage* codes, int lines, std::mt19937& random,
                  const std::vector<std::u16string>* otherSentences = nullptr,
                  qf::CodePage* otherCodes = nullptr) {
  fs::remove_all(folder);
  fs::create_directories(folder);
  const int modules = 1 + static_cast<int>(random() % 3) + (otherCodes != nullptr ? 1 : 0);
  std::string project = "Type=Exe\r\nName=\"Demo\"\r\n";
  for (int m = 0; m < modules; ++m) {
    const std::string name = "mod" + std::to_string(m);
    project += "Module=" + name + "; " + name + ".bas\r\n";
    std::string text = "Attribute VB_Name = \"" + name + "\"\r\nOption Explicit\r\n";
    const bool other = otherCodes != nullptr && m == modules - 1;
    const int own = otherCodes != nullptr ? modules - 1 : modules;
    const int mine = other ? lines : lines / own + (m < lines % own ? 1 : 0);
    for (int i = 0; i < mine; ++i) {
      std::string sentence;
      if (other)
        otherCodes->Encode((*otherSentences)[random() % otherSentences->size()], sentence);
      else if (codes != nullptr)
        codes->Encode(sentences[random() % sentences.size()], sentence);
      else
        sentence = "Checks that the file exists before it is opened.";
      text += i % 2 == 0 ? "' " + sentence + "\r\n"
                         : "Public Sub Go" + std::to_string(i) + "()\r\n    MsgBox \"" + sentence +
                               "\"\r\n    x = " + std::to_string(i) + "\r\nEnd Sub\r\n";
    }
    std::ofstream(folder / (name + ".bas"), std::ios::binary) << text;
  }
  std::ofstream(folder / "Demo.vbp", std::ios::binary) << project;
}

/// Counts of one cell of the table.
struct Tally {
  int Right = 0;
  int Wrong = 0;
  int Stopped = 0;
  std::map<std::string, int> Chosen;
};

} // namespace

int main(int argc, char** argv) {
  const int perCell = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  const fs::path folder = fs::temp_directory_path() / ("qf-code-pages-" + std::to_string(getpid()));
  std::mt19937 random(7);
  std::printf("%-6s %-13s", "lang", "code page");
  for (int size : kSizes)
    std::printf(" %6d", size);
  std::printf("   all (lines of text beyond ASCII; %% right of %d projects each)\n", perCell);

  int right = 0;
  int total = 0;
  int rightFew = 0;
  int totalFew = 0;
  int stopped = 0;
  for (const Language& language : kLanguages) {
    const std::vector<std::u16string> sentences = Sentences(language.Code);
    qf::CodePage codes(language.CodePage);
    std::printf("%-6s %-13s", language.Code, language.CodePage);
    int languageRight = 0;
    std::map<std::string, int> wrongs;
    for (int size : kSizes) {
      Tally tally;
      for (int n = 0; n < perCell; ++n) {
        WriteProject(folder, sentences, &codes, size, random);
        try {
          const qf::ProjectCodePage chosen = qf::ChooseProjectCodePage(
              qf::Utf8ToUtf16((folder / "Demo.vbp").string()), qf::RealFileSystem());
          if (chosen.Name == language.CodePage) {
            ++tally.Right;
          } else {
            ++tally.Wrong;
            ++wrongs[chosen.Name];
          }
        } catch (const qf::FailureErrorBase&) {
          ++tally.Stopped;
          ++wrongs["(stopped)"];
        }
      }
      std::printf(" %5.0f%%", 100.0 * tally.Right / perCell);
      languageRight += tally.Right;
      right += tally.Right;
      total += perCell;
      stopped += tally.Stopped;
      if (size >= 3) {
        rightFew += tally.Right;
        totalFew += perCell;
      }
    }
    std::printf("  %5.1f%%",
                100.0 * languageRight / (perCell * static_cast<int>(std::size(kSizes))));
    for (const auto& [name, count] : wrongs)
      std::printf("  %s:%d", name.c_str(), count);
    std::printf("\n");
  }
  int ascii = 0;
  for (int n = 0; n < perCell; ++n) {
    WriteProject(folder, {}, nullptr, 5, random);
    const qf::ProjectCodePage chosen = qf::ChooseProjectCodePage(
        qf::Utf8ToUtf16((folder / "Demo.vbp").string()), qf::RealFileSystem());
    ascii += chosen.PlainAscii && chosen.Name == qf::kDefaultCodePage;
  }
  // Modules in two code pages: the run must stop before touching anything,
  // whether each language has one line of text or ten.
  const std::pair<int, int> mixes[] = {{8, 0}, {10, 1}, {0, 8}, {5, 8}, {12, 2}, {11, 9}};
  for (int lines : {1, 10}) {
    std::printf("mixed, stopped (of %d each, %d lines in each language):", perCell, lines);
    for (const auto& [a, b] : mixes) {
      const std::vector<std::u16string> first = Sentences(kLanguages[a].Code);
      const std::vector<std::u16string> second = Sentences(kLanguages[b].Code);
      qf::CodePage firstCodes(kLanguages[a].CodePage);
      qf::CodePage secondCodes(kLanguages[b].CodePage);
      int stops = 0;
      for (int n = 0; n < perCell; ++n) {
        WriteProject(folder, first, &firstCodes, lines, random, &second, &secondCodes);
        try {
          qf::ChooseProjectCodePage(qf::Utf8ToUtf16((folder / "Demo.vbp").string()),
                                    qf::RealFileSystem());
        } catch (const qf::FailureErrorBase&) {
          ++stops;
        }
      }
      std::printf("  %s+%s %d", kLanguages[a].Code, kLanguages[b].Code, stops);
    }
    std::printf("\n");
  }
  fs::remove_all(folder);
  std::printf("plain ASCII: %d of %d given the default code page\n", ascii, perCell);
  std::printf("overall: %.1f%% right (%d of %d); with 3 lines or more: %.1f%%; stopped: %d\n",
              100.0 * right / total, right, total, 100.0 * rightFew / totalFew, stopped);
  return 0;
}
