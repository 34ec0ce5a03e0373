#pragma once

#include "tests/support/temp_dir.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace qf::test {

/// The bytes of `utf8` text in `codePage`.
std::string Encoded(std::string_view codePage, std::string_view utf8);

/// A project saved by the Japanese VB6, in `folder` of `dir`: a form whose
/// designer writes the IDE's own words in half-width katakana, and a module
/// listed under a Shift-JIS name (計算用.bas) that GBK reads as another file.
/// Returns the project file. The module's function is Total.
std::filesystem::path WriteShiftJisProject(const TempDir& dir, const std::string& folder);

/// An English project in `folder` of `dir` whose only byte above 0x7F is a
/// © (0xA9, a Thai letter in CP874) in a comment. Returns the project file.
/// The module's Sub is ShowAbout.
std::filesystem::path WriteEnglishCopyrightProject(const TempDir& dir, const std::string& folder);

} // namespace qf::test
