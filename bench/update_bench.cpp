// Tidying again against a first run: a project of 1,000 generated forms
// rewritten the first time (each iteration from the unprocessed files, put
// back outside the timing), and the same project, once tidy, updated
// (--update), which reads each file, finds it tidy and writes nothing; and
// the tidy project with one line of every file unindented, which an update
// reads, finds changed and rewrites. An update is meant to cost no more than
// 1.5 times the first run.
//
// Run: build/bin/quillformer-update-bench --benchmark_repetitions=3

#include "bench/vb6_generator.h"
#include "processing/processing_run.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 1000;
constexpr std::size_t kFileBytes = 6000;

/// The project in a folder of its own, removed when the benchmark ends.
class Project {
public:
  Project()
      : folder_(fs::temp_directory_path() / ("quillformer-update-" + std::to_string(::getpid()))) {
    fs::create_directories(folder_);
    std::string listing = "Type=Exe\r\nName=\"Big\"\r\n";
    for (int i = 0; i < kFiles; ++i) {
      const std::string name = "frm" + std::to_string(i) + ".frm";
      listing += "Form=" + name + "\r\n";
      originals_.push_back(
          qf::bench::GenerateModule(kFileBytes, static_cast<std::uint32_t>(i + 1), i % 3 == 0));
      paths_.push_back(folder_ / name);
    }
    Write(folder_ / "Big.vbp", listing);
    Restore();
  }
  ~Project() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  Project(const Project&) = delete;
  Project& operator=(const Project&) = delete;

  void Restore() const { Put(originals_); }

  /// Puts `contents` in place of the files, and flushes it all to the disk.
  void Put(const std::vector<std::string>& contents) const {
    for (std::size_t i = 0; i < paths_.size(); ++i)
      Write(paths_[i], contents[i]);
    ::sync();
  }

  /// The files as they are now, each with its first indented code line
  /// moved to column 1, as an edit leaves it.
  std::vector<std::string> Unindented() const {
    std::vector<std::string> edited;
    for (const fs::path& path : paths_) {
      std::ifstream in(path, std::ios::binary);
      std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      const std::size_t at = bytes.find("\r\n    ", bytes.find("Quillformer"));
      if (at != std::string::npos)
        bytes.erase(at + 2, 4);
      edited.push_back(std::move(bytes));
    }
    return edited;
  }

  /// Runs the project once; false when a file was not handled.
  bool Run(const qf::ProcessingSettings& settings) const {
    struct Count final : qf::RunObserver {
      void FileDone(qf::FileKind, const qf::SourceFileEntry&, const qf::FileResult&) override {
        ++Done;
      }
      int Done = 0;
    } observer;
    qf::CodePage codes("CP936");
    const std::string path = (folder_ / "Big.vbp").string();
    const std::u16string projectPath(path.begin(), path.end());
    return !qf::ProcessProject(projectPath, {settings, codes, qf::RealFileSystem()}, observer) &&
           observer.Done == kFiles;
  }

  std::int64_t Bytes() const {
    std::int64_t bytes = 0;
    for (const std::string& original : originals_)
      bytes += static_cast<std::int64_t>(original.size());
    return bytes;
  }

private:
  static void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }

  fs::path folder_;
  std::vector<std::string> originals_;
  std::vector<fs::path> paths_;
};

void BM_FirstRun(benchmark::State& state) {
  const Project project;
  for (auto _ : state) {
    if (!project.Run({})) {
      state.SkipWithError("the run did not handle every file");
      return;
    }
    state.PauseTiming();
    project.Restore();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * project.Bytes());
}

void BM_UpdateOfTidyProject(benchmark::State& state) {
  const Project project;
  qf::ProcessingSettings update;
  update.Update = true;
  if (!project.Run({})) {
    state.SkipWithError("the first run did not handle every file");
    return;
  }
  ::sync();
  for (auto _ : state)
    if (!project.Run(update)) {
      state.SkipWithError("the update did not handle every file");
      return;
    }
  state.SetBytesProcessed(state.iterations() * project.Bytes());
}

void BM_UpdateOfEditedProject(benchmark::State& state) {
  const Project project;
  qf::ProcessingSettings update;
  update.Update = true;
  if (!project.Run({})) {
    state.SkipWithError("the first run did not handle every file");
    return;
  }
  const std::vector<std::string> edited = project.Unindented();
  for (auto _ : state) {
    state.PauseTiming();
    project.Put(edited);
    state.ResumeTiming();
    if (!project.Run(update)) {
      state.SkipWithError("the update did not handle every file");
      return;
    }
  }
  state.SetBytesProcessed(state.iterations() * project.Bytes());
}

} // namespace

BENCHMARK(BM_FirstRun)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UpdateOfTidyProject)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UpdateOfEditedProject)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
