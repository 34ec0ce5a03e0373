#include "rewrite/rewrite_file.h"

#include "rewrite/rewrite_pass.h"

namespace qf {

std::filesystem::path TemporaryPathFor(const std::filesystem::path& source) {
  return std::filesystem::path(source.native() + "tmp");
}

std::int32_t RewriteSourceFile(const std::filesystem::path& path,
                               const ProcessingSettings& settings, CodePage& codePage,
                               FileSystem& files) {
  const std::unique_ptr<ByteSource> source = files.OpenForReading(path);
  const std::filesystem::path temporary = TemporaryPathFor(path);
  try {
    const std::unique_ptr<WritableFile> sink = files.Create(temporary, path);
    const std::int32_t result = RewriteStream(*source, *sink, path.string(), settings, codePage);
    if (result == kRewritten)
      sink->Sync();
    sink->Close();
    return result;
  } catch (...) {
    files.Remove(temporary);
    throw;
  }
}

} // namespace qf
