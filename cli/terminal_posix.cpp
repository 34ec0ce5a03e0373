#include "cli/terminal.h"

#include <unistd.h>

namespace qf::cli {

bool OutputTakesColours() {
  return ::isatty(STDOUT_FILENO) == 1;
}

} // namespace qf::cli
