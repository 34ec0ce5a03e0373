#pragma once

#include "settings/processing_settings.h"
#include "text/code_page.h"
#include "text/file_system.h"

#include <cstdint>
#include <filesystem>

namespace qf {

/// The temporary file of a source file: its path followed by "tmp"
/// (Form1.frm gives Form1.frmtmp, in the same folder).
std::filesystem::path TemporaryPathFor(const std::filesystem::path& source);

/// Rewrites the file at `path` into its temporary file (see RewriteStream
/// for the rewrite itself). The temporary file is created, or emptied, only
/// once the source is open, with the source's permission bits. Both files
/// are closed before it returns.
///
/// Returns kRewritten when the temporary file holds the complete rewrite,
/// flushed to the disk; kAlreadyProcessed when the file carries the marker
/// line (the temporary file then holds an incomplete text and is the
/// caller's to remove). On failure it throws SourceError and leaves no
/// temporary file. The source file is never changed.
std::int32_t RewriteSourceFile(const std::filesystem::path& path,
                               const ProcessingSettings& settings, CodePage& codePage,
                               FileSystem& files = RealFileSystem());

} // namespace qf
