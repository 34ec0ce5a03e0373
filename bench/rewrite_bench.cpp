// Throughput of the rewrite pass on large generated form modules: in memory
// (the pass alone) and through files (reading the source, writing the
// temporary file). Run: build/bin/quillformer-bench --benchmark_min_time=1

#include "bench/vb6_generator.h"
#include "io/byte_stream.h"
#include "processing/file_rewrite.h"
#include "rewrite/rewrite_pass.h"
#include "settings/processing_settings.h"
#include "text/code_page.h"

#include <benchmark/benchmark.h>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kSampleBytes = std::size_t{32} << 20;

/// A sink that keeps nothing, so that only the pass is measured.
class CountingSink final : public qf::ByteSink {
public:
  void Write(std::string_view bytes) override { count_ += bytes.size(); }
  std::size_t Count() const noexcept { return count_; }

private:
  std::size_t count_ = 0;
};

/// The generated inputs, built once on first use (outside any timing).
const std::string& AsciiSample() {
  static const std::string sample =
      qf::bench::GenerateModule(kSampleBytes, qf::bench::kDefaultSeed, false);
  return sample;
}

const std::string& HeaderHeavySample() {
  static const std::string sample =
      qf::bench::GenerateHeaderHeavyModule(kSampleBytes, qf::bench::kDefaultSeed);
  return sample;
}

const std::string& ChineseSample() {
  static const std::string sample =
      qf::bench::GenerateModule(kSampleBytes, qf::bench::kDefaultSeed, true);
  return sample;
}

/// A folder of its own under the system's temporary folder, removed with
/// everything in it when the benchmark ends.
class ScratchFolder {
public:
  ScratchFolder()
      : path_(fs::temp_directory_path() / ("quillformer-bench-" + std::to_string(::getpid()))) {
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const fs::path& Path() const noexcept { return path_; }

private:
  fs::path path_;
};

/// Returns false when the file could not be written completely.
bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return !file.fail();
}

/// The pass from a MemorySource into a CountingSink. Returns false (and
/// marks the run as failed) when the module was not rewritten.
bool RewriteInMemory(benchmark::State& state, const std::string& sample,
                     const qf::ProcessingSettings& settings, qf::CodePage& codePage,
                     std::size_t& written) {
  qf::MemorySource source(sample);
  CountingSink sink;
  try {
    if (qf::RewriteStream(source, sink, "Form1.frm", settings, codePage) !=
        qf::RewriteOutcome::Rewritten) {
      state.SkipWithError("the generated module carries the marker line");
      return false;
    }
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
    return false;
  }
  written = sink.Count();
  return true;
}

void BenchmarkRewriteStream(benchmark::State& state, const std::string& sample) {
  const qf::ProcessingSettings settings = qf::ProcessingSettings::StartUp();
  qf::CodePage codePage("CP936");
  std::size_t written = 0;
  for (auto _ : state) {
    if (!RewriteInMemory(state, sample, settings, codePage, written))
      return;
    benchmark::DoNotOptimize(written);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(sample.size()));
  state.counters["out/in"] = static_cast<double>(written) / static_cast<double>(sample.size());
}

void BM_RewriteStreamAscii(benchmark::State& state) {
  BenchmarkRewriteStream(state, AsciiSample());
}

void BM_RewriteStreamHeaderHeavy(benchmark::State& state) {
  BenchmarkRewriteStream(state, HeaderHeavySample());
}

void BM_RewriteStreamChineseComments(benchmark::State& state) {
  BenchmarkRewriteStream(state, ChineseSample());
}

/// A real run's rewrite of a file in the page cache (RewriteFile): reading
/// it and writing the temporary file are timed, deleting the temporary file
/// is not.
void BM_RewriteFileAscii(benchmark::State& state) {
  const std::string& sample = AsciiSample();
  const ScratchFolder folder;
  const fs::path path = folder.Path() / "Form1.frm";
  if (!WriteFile(path, sample)) {
    state.SkipWithError("cannot write the generated module to the temporary folder");
    return;
  }
  const qf::ProcessingSettings settings = qf::ProcessingSettings::StartUp();
  qf::CodePage codePage("CP936");
  for (auto _ : state) {
    qf::FileRewrite staged;
    try {
      qf::OpenedSource source{path, qf::RealFileSystem().OpenForReading(path)};
      staged = qf::RewriteFile(source, {settings, codePage, qf::RealFileSystem()});
      if (!staged.Staged) {
        state.SkipWithError("the generated module carries the marker line");
        return;
      }
    } catch (const std::exception& error) {
      state.SkipWithError(error.what());
      return;
    }
    state.PauseTiming();
    staged.Staged.reset(); // removes the temporary file
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(sample.size()));
}

} // namespace

BENCHMARK(BM_RewriteStreamAscii)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RewriteStreamHeaderHeavy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RewriteStreamChineseComments)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RewriteFileAscii)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
