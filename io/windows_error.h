#pragma once

#include <string>

namespace qf {

/// The system's own words for a Windows error code (GetLastError()), in
/// the user's language, in UTF-8, without the full stop and line break
/// that end them: the Windows counterpart of SystemErrorText(). Windows
/// build only.
std::string WindowsErrorText(unsigned long error);

} // namespace qf
