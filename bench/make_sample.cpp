// quillformer-gen: writes a generated VB6 form module, the input of the
// benchmarks, so that a run can be repeated by hand:
//
//   quillformer-gen PATH MEGABYTES [--chinese | --header-heavy]
//
// MEGABYTES counts MiB. With the default seed and 32 MiB the file holds
// exactly the bytes that quillformer-bench rewrites.

#include "bench/vb6_generator.h"

#include <charconv>
#include <cstddef>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

namespace {

constexpr int kUsageError = 2;
constexpr std::size_t kMaxMegabytes = 4096;

int Usage() {
  std::cerr << "usage: quillformer-gen PATH MEGABYTES [--chinese | --header-heavy]\n"
               "  Writes a generated VB6 form module of about MEGABYTES MiB to PATH\n"
               "  (CR LF lines; --chinese adds GBK-encoded Chinese comments;\n"
               "  --header-heavy makes every procedure fourteen lines long).\n";
  return kUsageError;
}

/// A whole number from 1 to kMaxMegabytes, or 0 when `text` is not one.
std::size_t ParseMegabytes(std::string_view text) {
  std::size_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value > kMaxMegabytes)
    return 0;
  return value;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4)
    return Usage();
  const std::string path = argv[1];
  const std::size_t megabytes = ParseMegabytes(argv[2]);
  const std::string_view shape = argc == 4 ? argv[3] : "";
  const bool chinese = shape == "--chinese";
  const bool headerHeavy = shape == "--header-heavy";
  if (megabytes == 0 || (argc == 4 && !chinese && !headerHeavy))
    return Usage();

  const std::string module =
      headerHeavy ? qf::bench::GenerateHeaderHeavyModule(megabytes << 20, qf::bench::kDefaultSeed)
                  : qf::bench::GenerateModule(megabytes << 20, qf::bench::kDefaultSeed, chinese);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(module.data(), static_cast<std::streamsize>(module.size()));
  file.close();
  if (file.fail()) {
    std::cerr << "quillformer-gen: cannot write " << path << "\n";
    return 1;
  }
  std::cout << "wrote " << module.size() << " bytes to " << path << "\n";
  return 0;
}
