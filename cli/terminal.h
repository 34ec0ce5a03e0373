#pragma once

namespace qf::cli {

/// Whether standard output shows --diff's colours: a terminal on POSIX; on
/// Windows a console whose virtual-terminal mode is on or could be switched
/// on (Windows 10 and later; a console of Windows 7 prints escape codes as
/// they are, so it gets no colours).
bool OutputTakesColours();

} // namespace qf::cli
