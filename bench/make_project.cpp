// quillformer-gen-project: writes a generated VB6 project of many files, so
// that the runs of two builds (Linux and Windows) can be compared file by
// file:
//
//   quillformer-gen-project FOLDER FILES
//
// FOLDER/Big.vbp lists FILES source files of the five kinds in turn, each a
// generated module of its own size and seed, every third with Chinese
// comments. The project file is GBK, as a Chinese VB6 writes it, and asks
// for what a real one holds: Chinese file names, files in a subfolder
// behind "\", names listed in other letter case than on the disk.

#include "bench/vb6_generator.h"
#include "io/paths.h"
#include "io/utf.h"
#include "text/code_page.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;

constexpr int kUsageError = 2;
constexpr int kMostFiles = 30000;

struct Kind {
  const char* Key;
  const char* Prefix;
  const char* Extension;
  bool Named; ///< MODULE and CLASS entries carry a name before the file.
};
constexpr Kind kKinds[] = {{"Form", "frm", ".frm", false},
                           {"Module", "mod", ".bas", true},
                           {"Class", "cls", ".cls", true},
                           {"UserControl", "ctl", ".ctl", false},
                           {"PropertyPage", "pg", ".pag", false}};

bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return !file.fail();
}

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  return text;
}

} // namespace

int main(int argc, char** argv) {
  int files = 0;
  const std::string_view count = argc == 3 ? argv[2] : "";
  const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), files);
  if (argc != 3 || error != std::errc() || end != count.data() + count.size() || files < 1 ||
      files > kMostFiles) {
    std::cerr << "usage: quillformer-gen-project FOLDER FILES (1 to " << kMostFiles << ")\n";
    return kUsageError;
  }
  const fs::path folder = qf::PathFromUtf8(argv[1]);
  fs::create_directories(folder / "Shared");

  std::string listing = "Type=Exe\r\nName=\"BigDemo\"\r\nStartup=\"frm0\"\r\n"
                        "VersionCompanyName=\"Quillformer 测试\"\r\nMajorVer=3\r\nMinorVer=1\r\n";
  for (int n = 0; n < files; ++n) {
    const Kind& kind = kKinds[n % 5];
    // Every seventh file has a Chinese name, every eleventh is in Shared\,
    // every thirteenth is listed in capitals.
    std::string name = (n % 7 == 3 ? std::string("文件") : std::string(kind.Prefix)) +
                       std::to_string(n) + kind.Extension;
    const std::string where = n % 11 == 5 ? "Shared/" : "";
    const std::string listed =
        (where.empty() ? "" : "Shared\\") + (n % 13 == 6 ? Upper(name) : name);
    const std::string module =
        qf::bench::GenerateModule(4000 + static_cast<std::size_t>(n % 17) * 1500,
                                  static_cast<std::uint32_t>(n + 1), n % 3 == 0);
    if (!WriteFile(folder / qf::PathFromUtf8(where + name), module)) {
      std::cerr << "quillformer-gen-project: cannot write " << where + name << "\n";
      return 1;
    }
    listing += std::string(kind.Key) + "=" +
               (kind.Named ? std::string(kind.Prefix) + std::to_string(n) + "; " : "") + listed +
               "\r\n";
  }
  std::string bytes;
  qf::CodePage gbk("CP936");
  gbk.Encode(qf::Utf8ToUtf16(listing), bytes);
  if (!WriteFile(folder / "Big.vbp", bytes)) {
    std::cerr << "quillformer-gen-project: cannot write Big.vbp\n";
    return 1;
  }
  std::cout << "wrote " << files << " files and Big.vbp to " << argv[1] << "\n";
  return 0;
}
