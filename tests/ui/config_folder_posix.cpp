#include "tests/ui/config_folder.h"

#include <QtGlobal>

namespace qf::test {

void UseConfigFolder(const QString& folder) {
  qputenv("XDG_CONFIG_HOME", folder.toLocal8Bit());
}

} // namespace qf::test
