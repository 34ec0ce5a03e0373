#include "cli/messages.h"

#include <ostream>

namespace qf::cli {

void PrintFailure(std::ostream& err, const Failure& failure) {
  PrintNotice(err, DescribeInEnglish(failure));
}

void PrintNotice(std::ostream& err, std::string_view text) {
  err << kProgram << ": " << text << '\n' << std::flush;
}

} // namespace qf::cli
