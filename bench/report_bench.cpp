// The processing run over a project of 30,000 entries: the report alone,
// and the whole run on a file system held in memory (so that the disk does
// not hide what the run itself costs). Appending a line must cost the line,
// not the report. Run: build/bin/quillformer-report-bench

#include "processing/operation_report.h"
#include "processing/processing_run.h"
#include "rewrite/rewrite_pass.h"

#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kEntries = 30000;

/// Files held in a map: enough of a file system for a run (whose commits
/// come from a helper thread, hence the lock). A file's identity is its
/// name's hash.
class MemoryFileSystem final : public qf::FileSystem {
public:
  std::map<std::string, std::string> Files;

  std::unique_ptr<qf::OpenedFile> OpenForReading(const fs::path& path) override {
    const std::lock_guard lock(mutex_);
    const auto it = Files.find(path.string());
    if (it == Files.end())
      qf::RaiseIoFailure(qf::IoFailureKind::Open, path.string());
    return std::make_unique<Source>(it->second, IdentityOf(path));
  }
  std::unique_ptr<qf::WritableFile> CreateTemporary(const fs::path& path,
                                                    const qf::FileFacts&) override {
    const std::lock_guard lock(mutex_);
    return std::make_unique<File>(Files[path.string()]);
  }
  void Replace(const fs::path& from, const fs::path& to, const qf::FileIdentity&) override {
    const std::lock_guard lock(mutex_);
    Files[to.string()] = std::move(Files[from.string()]);
    Files.erase(from.string());
  }
  void Remove(const fs::path& path) noexcept override {
    const std::lock_guard lock(mutex_);
    Files.erase(path.string());
  }
  bool IsFolder(const fs::path&) override { return false; }
  bool Exists(const fs::path& path) override {
    const std::lock_guard lock(mutex_);
    return Files.contains(path.string());
  }
  std::vector<std::string> List(const fs::path&) override { return {}; }
  fs::path RealPath(const fs::path& path, const qf::OpenedFile&) override { return path; }
  std::optional<qf::FileIdentity> Identity(const fs::path& path) override {
    return IdentityOf(path);
  }
  std::unique_ptr<qf::ScratchFile> CreateScratch() override {
    return qf::RealFileSystem().CreateScratch();
  }

private:
  static qf::FileIdentity IdentityOf(const fs::path& path) {
    return {0, std::hash<std::string>{}(path.string())};
  }

  std::mutex mutex_;

  class Source final : public qf::OpenedFile {
  public:
    Source(std::string_view bytes, qf::FileIdentity identity) : bytes_(bytes) {
      facts_.Identity = identity;
    }
    std::size_t Read(char* buffer, std::size_t size) override { return bytes_.Read(buffer, size); }
    const qf::FileFacts& Facts() const noexcept override { return facts_; }

  private:
    qf::MemorySource bytes_;
    qf::FileFacts facts_;
  };

  class File final : public qf::WritableFile {
  public:
    explicit File(std::string& bytes) : bytes_(bytes) { bytes_.clear(); }
    void Write(std::string_view bytes) override { bytes_ += bytes; }
    void Sync() override {}
    void Close() override {}

  private:
    std::string& bytes_;
  };
};

void BM_ReportOf30000Entries(benchmark::State& state) {
  const qf::SourceFileEntry entry{u"modModule12345", u"/home/user/project/modModule12345.bas"};
  for (auto _ : state) {
    qf::OperationReport report;
    report.ProjectRead({u"Demo", u"Exe", u"Acme", u"1", u"0", u"0", u"frmMain"});
    report.KindStarted(qf::FileKind::Module);
    for (int i = 0; i < kEntries; ++i) {
      report.FileStarted(qf::FileKind::Module, entry);
      report.FileDone(qf::FileKind::Module, entry, {});
    }
    benchmark::DoNotOptimize(report.Text().data());
  }
  state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_ReportOf30000Entries)->Unit(benchmark::kMillisecond);

void BM_RunOf30000ProcessedModules(benchmark::State& state) {
  MemoryFileSystem files;
  std::string project = "Type=Exe\r\nName=\"Big\"\r\n";
  for (int i = 0; i < kEntries; ++i) {
    const std::string name = "mod" + std::to_string(i);
    project += "Module=" + name + "; " + name + ".bas\r\n";
    files.Files["/mem/" + name + ".bas"] =
        "Attribute VB_Name = \"" + name + "\"\r\n" + std::string(qf::kMarkerLine) + "\r\nDim a\r\n";
  }
  files.Files["/mem/Big.vbp"] = project;
  const qf::ProcessingSettings settings;
  qf::CodePage codes("CP936");
  for (auto _ : state) {
    qf::OperationReport report;
    qf::ProcessProject(u"/mem/Big.vbp", qf::RunEnvironment{settings, codes, files}, report);
    benchmark::DoNotOptimize(report.Text().data());
  }
  state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_RunOf30000ProcessedModules)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
