// A whole project rewritten in place on the real disk, against the floor of
// its input and output: reading each file, writing its temporary file,
// flushing that to the disk and renaming it over the file, with no rewrite
// at all. 500 generated forms, about 5.9 MB. Each iteration starts from the
// unprocessed files, put back (and flushed) outside the timing.
//
// Run: build/bin/quillformer-run-bench --benchmark_repetitions=5
// (TMPDIR picks the disk; the figures depend on it far more than on the CPU.)

#include "bench/generated_project.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 500;
constexpr std::size_t kFileBytes = 11800;

/// The project, as every benchmark here times it.
class Project : public qf::bench::GeneratedProject {
public:
  Project() : GeneratedProject("run", kFiles, kFileBytes, false) {}
};

void BM_ProjectRun(benchmark::State& state) {
  const Project project;
  for (auto _ : state) {
    if (!project.Run({})) {
      state.SkipWithError("the run did not rewrite every file");
      return;
    }
    state.PauseTiming();
    project.Restore();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * project.Bytes());
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
  state.SetBytesProcessed(state.iterations() * project.Bytes());
}

} // namespace

BENCHMARK(BM_InputOutputFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ProjectRun)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
