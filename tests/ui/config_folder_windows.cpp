#include "tests/ui/config_folder.h"
#include "ui/saved_defaults.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace qf::test {

/// The test programs share Qt's test folder (ctest runs them one at a
/// time: RESOURCE_LOCK qf-window-config).
void UseConfigFolder(const QString&) {
  QStandardPaths::setTestModeEnabled(true);
  QDir(QFileInfo(ui::saved_defaults::File()).absolutePath()).removeRecursively();
}

} // namespace qf::test
