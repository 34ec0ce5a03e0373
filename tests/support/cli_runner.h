#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace qf::test {

/// What a run of quillformer-cli gave.
struct CliRun {
  int Status = -1; ///< Exit status; -1 when it did not exit normally.
  std::string Out;
  std::string Err;
};

/// Runs the built quillformer-cli with `args`, `input` on its standard
/// input, capturing its output in files under `scratch`.
CliRun RunCli(const std::vector<std::string>& args, const std::filesystem::path& scratch,
              const std::string& input = "");

} // namespace qf::test
