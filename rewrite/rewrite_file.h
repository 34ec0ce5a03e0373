#pragma once

#include "settings/processing_settings.h"
#include "text/code_page.h"

#include <cstdint>
#include <filesystem>

namespace qf {

/// The temporary file of a source file: its path followed by "tmp"
/// (Form1.frm gives Form1.frmtmp, in the same folder).
std::filesystem::path TemporaryPathFor(const std::filesystem::path& source);

/// Rewrites the file at `path` into its temporary file (see RewriteStream
/// for the rewrite itself). Both files are closed before it returns.
///
/// Returns kAlreadyProcessed when the file carries the marker line (the
/// temporary file then holds an incomplete text and is the caller's to
/// delete) and kRewritten when the temporary file holds the complete
/// rewrite. On failure it throws SourceError and leaves no temporary file;
/// the source file is never changed.
std::int32_t RewriteSourceFile(const std::filesystem::path& path,
                               const ProcessingSettings& settings, CodePage& codePage);

} // namespace qf
