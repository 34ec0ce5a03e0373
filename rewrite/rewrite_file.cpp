#include "rewrite/rewrite_file.h"

#include "rewrite/rewrite_pass.h"
#include "text/byte_stream.h"

namespace qf {

std::filesystem::path TemporaryPathFor(const std::filesystem::path& source) {
  return std::filesystem::path(source.native() + "tmp");
}

std::int32_t RewriteSourceFile(const std::filesystem::path& path,
                               const ProcessingSettings& settings, CodePage& codePage) {
  FileSource source(path);
  const std::filesystem::path temporary = TemporaryPathFor(path);
  FileSink sink(temporary);
  try {
    const std::int32_t result = RewriteStream(source, sink, path.string(), settings, codePage);
    sink.Close();
    return result;
  } catch (...) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    throw;
  }
}

} // namespace qf
