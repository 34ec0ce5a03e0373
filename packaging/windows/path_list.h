#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qf::setup {

/// A PATH value (the Path of a Windows environment block, as the registry
/// holds it): entries separated by ";", an entry that holds ";" in double
/// quotes. The setup program adds the install folder as one entry and its
/// uninstaller takes exactly that entry out again; every other character of
/// the value stays as it was, however long the value is.
///
/// Entries compare as Windows compares file names' ASCII letters, without
/// regard to case, and with or without one "\" at the end: "C:\Tools\" is
/// the entry "c:\tools".

/// The value with `entry` appended, or nullopt when the value holds it
/// already (an entry the user had before is not the setup's to remove).
std::optional<std::wstring> WithEntry(std::wstring_view path, std::wstring_view entry);

/// The value without `entry` and the one separator that joined it to the
/// rest, or nullopt when the value does not hold it. Only the first such
/// entry is taken out: the setup added one.
std::optional<std::wstring> WithoutEntry(std::wstring_view path, std::wstring_view entry);

} // namespace qf::setup
