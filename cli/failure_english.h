#pragma once

#include "processing/failure.h"

#include <string>

namespace qf::cli {

/// The failure in English, the way a compiler writes a message:
/// "FILE:LINE: cause" (or "FILE: cause"). The command line's one renderer of
/// failures; its texts are the table in failure_english.cpp.
std::string DescribeInEnglish(const Failure& failure);

} // namespace qf::cli
