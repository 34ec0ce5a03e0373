#pragma once

#include "ui/panel_values.h"

#include <QString>
#include <optional>

/// The settings panel's values saved as the defaults of later starts of the
/// window (保存为默认设置), in an INI file in the user's configuration
/// folder: $XDG_CONFIG_HOME/Quillformer/quillformer.ini, that is
/// ~/.config/Quillformer/quillformer.ini where XDG_CONFIG_HOME is not set.
/// Only the window reads it: the command line never does, so that what a
/// build or script produces does not depend on one user's choices.
namespace qf::ui::saved_defaults {

/// Where the file lives, from the environment at the time of the call.
QString File();

/// The saved start values. Nothing when there are none to use: no file, a
/// file that cannot be read or parsed, or no usable value in it (see
/// StartValuesFrom). Never shows a message and never throws.
std::optional<PanelValues> Load();

/// Writes `values` (creating the folder) and reports whether the file now
/// holds them. The file is replaced whole or not at all.
bool Save(const PanelValues& values);

} // namespace qf::ui::saved_defaults
