// Tidying again against a first run: a project of 1,000 generated forms
// rewritten the first time (each iteration from the unprocessed files, put
// back outside the timing), and the same project, once tidy, updated
// (--update), which reads each file, finds it tidy and writes nothing; and
// the tidy project with one line of every file unindented, which an update
// reads, finds changed and rewrites. An update is meant to cost no more than
// 1.5 times the first run.
//
// Run: build/bin/quillformer-update-bench --benchmark_repetitions=3

#include "bench/generated_project.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 1000;
constexpr std::size_t kFileBytes = 6000;

/// The project, as every benchmark here times it.
class Project : public qf::bench::GeneratedProject {
public:
  Project() : GeneratedProject("update", kFiles, kFileBytes, true) {}
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
