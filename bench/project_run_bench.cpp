// A whole project rewritten in place on the real disk, against the floor of
// its input and output: reading each file, writing its temporary file,
// flushing that to the disk and renaming it over the file, with no rewrite
// at all. 500 generated forms, about 5.9 MB. Each iteration starts from the
// unprocessed files, put back (and flushed) outside the timing.
//
// Run: build/bin/quillformer-run-bench --benchmark_repetitions=5
// (TMPDIR picks the disk; the figures depend on it far more than on the CPU.)

#include "bench/vb6_generator.h"
#include "processing/processing_run.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 500;
constexpr std::size_t kFileBytes = 11800;

/// The project in a folder of its own, removed when the benchmark ends.
class Project {
public:
  Project()
      : folder_(fs::temp_directory_path() / ("quillformer-run-" + std::to_string(::getpid()))) {
    fs::create_directories(folder_);
    std::string listing = "Type=Exe\r\nName=\"Big\"\r\n";
    for (int i = 0; i < kFiles; ++i) {
      const std::string name = "frm" + std::to_string(i) + ".frm";
      listing += "Form=" + name + "\r\n";
      originals_.push_back(
          qf::bench::GenerateModule(kFileBytes, static_cast<std::uint32_t>(i + 1), false));
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

  /// Puts every file back as generated, and flushes it all to the disk.
  void Restore() const {
    for (std::size_t i = 0; i < paths_.size(); ++i)
      Write(paths_[i], originals_[i]);
    ::sync();
  }

  fs::path ProjectFile() const { return folder_ / "Big.vbp"; }
  const std::vector<fs::path>& Paths() const { return paths_; }
  std::size_t Bytes() const {
    std::size_t bytes = 0;
    for (const std::string& original : originals_)
      bytes += original.size();
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

/// Counts the files done and keeps nothing.
class QuietObserver final : public qf::RunObserver {
public:
  void FileDone(qf::FileKind, const qf::SourceFileEntry&, const qf::FileResult&) override {
    ++Done;
  }
  int Done = 0;
};

void BM_ProjectRun(benchmark::State& state) {
  const Project project;
  const qf::ProcessingSettings settings;
  qf::CodePage codes("CP936");
  for (auto _ : state) {
    QuietObserver observer;
    const std::string path = project.ProjectFile().string();
    const std::u16string projectPath(path.begin(), path.end());
    if (qf::ProcessProject(projectPath, {settings, codes, qf::RealFileSystem()}, observer) ||
        observer.Done != kFiles) {
      state.SkipWithError("the run did not rewrite every file");
      return;
    }
    state.PauseTiming();
    project.Restore();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(project.Bytes()));
}

/// The floor: each file read whole, written to its temporary file, flushed,
/// renamed over the file, and the folder flushed, as the run does it.
void BM_InputOutputFloor(benchmark::State& state) {
  const Project project;
  std::vector<char> buffer(1 << 18);
  for (auto _ : state) {
    for (const fs::path& path : project.Paths()) {
      const std::string temporary = path.string() + "tmp";
      const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
      const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      ssize_t count = 0;
      bool ok = in >= 0 && out >= 0;
      while (ok && (count = ::read(in, buffer.data(), buffer.size())) > 0)
        ok = ::write(out, buffer.data(), static_cast<std::size_t>(count)) == count;
      ok = ok && ::fsync(out) == 0;
      ::close(in);
      ok = ::close(out) == 0 && ok;
      ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
      const int folder = ::open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      ::fsync(folder);
      ::close(folder);
      if (!ok) {
        state.SkipWithError("a file operation failed");
        return;
      }
    }
    state.PauseTiming();
    project.Restore();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(project.Bytes()));
}

} // namespace

BENCHMARK(BM_InputOutputFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ProjectRun)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
