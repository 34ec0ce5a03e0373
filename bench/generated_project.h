#pragma once

// A project of generated forms in a folder of its own, for the benchmarks
// that time whole runs: it puts its files back between iterations and runs
// the project as a real run does.

#include "bench/vb6_generator.h"
#include "processing/processing_run.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace qf::bench {

class GeneratedProject {
public:
  /// `files` forms of about `fileBytes` each, seeds 1, 2, ...; every third
  /// with Chinese comments when `chineseComments`. The folder is named by
  /// `name` and the process, and removed with the project.
  GeneratedProject(const std::string& name, int files, std::size_t fileBytes, bool chineseComments)
      : folder_(std::filesystem::temp_directory_path() /
                ("quillformer-" + name + "-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(folder_);
    std::string listing = "Type=Exe\r\nName=\"Big\"\r\n";
    for (int i = 0; i < files; ++i) {
      const std::string file = "frm" + std::to_string(i) + ".frm";
      listing += "Form=" + file + "\r\n";
      originals_.push_back(GenerateModule(fileBytes, static_cast<std::uint32_t>(i + 1),
                                          chineseComments && i % 3 == 0));
      paths_.push_back(folder_ / file);
    }
    Write(folder_ / "Big.vbp", listing);
    Restore();
  }
  ~GeneratedProject() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  GeneratedProject(const GeneratedProject&) = delete;
  GeneratedProject& operator=(const GeneratedProject&) = delete;

  /// Puts every file back as generated, and flushes it all to the disk.
  void Restore() const { Put(originals_); }

  /// Puts `contents` in place of the files, and flushes it all to the disk.
  void Put(const std::vector<std::string>& contents) const {
    for (std::size_t i = 0; i < paths_.size(); ++i)
      Write(paths_[i], contents[i]);
    ::sync();
  }

  /// The files as they are now, each with its first indented code line
  /// after the marker moved to column 1, as an edit leaves it.
  std::vector<std::string> Unindented() const {
    std::vector<std::string> edited;
    for (const std::filesystem::path& path : paths_) {
      std::ifstream in(path, std::ios::binary);
      std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      const std::size_t at = bytes.find("\r\n    ", bytes.find("Quillformer"));
      if (at != std::string::npos)
        bytes.erase(at + 2, 4);
      edited.push_back(std::move(bytes));
    }
    return edited;
  }

  /// Runs the project once in GBK; false when a file was not handled.
  bool Run(const ProcessingSettings& settings) const {
    struct Count final : RunObserver {
      void FileDone(FileKind, const SourceFileEntry&, const FileResult&) override { ++Done; }
      std::size_t Done = 0;
    } observer;
    CodePage codes("CP936");
    const std::string path = (folder_ / "Big.vbp").string();
    const std::u16string projectPath(path.begin(), path.end());
    return !ProcessProject(projectPath, {settings, codes, RealFileSystem()}, observer) &&
           observer.Done == paths_.size();
  }

  const std::vector<std::filesystem::path>& Paths() const { return paths_; }
  std::int64_t Bytes() const {
    std::int64_t bytes = 0;
    for (const std::string& original : originals_)
      bytes += static_cast<std::int64_t>(original.size());
    return bytes;
  }

private:
  static void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }

  std::filesystem::path folder_;
  std::vector<std::string> originals_;
  std::vector<std::filesystem::path> paths_;
};

} // namespace qf::bench
