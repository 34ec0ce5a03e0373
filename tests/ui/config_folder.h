#pragma once

#include <QString>

namespace qf::test {

/// Makes the window's saved defaults (saved_defaults::File()) live in a
/// configuration folder of the test's own, empty: on POSIX `folder`, by
/// XDG_CONFIG_HOME; on Windows, where Qt asks the system for the folder and
/// reads no variable, Qt's test folder, emptied of Quillformer's file.
void UseConfigFolder(const QString& folder);

} // namespace qf::test
