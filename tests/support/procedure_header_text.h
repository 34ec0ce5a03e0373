#pragma once

#include "rewrite/header_labels.h"
#include "settings/processing_settings.h"

#include <string>
#include <string_view>

namespace qf::test {

/// The comment block the rewrite writes above `declaration` (a trimmed,
/// joined declaration line), as text: the run's own writer
/// (CommentBlockWriter) in UTF-8, decoded. Lines are joined by CR LF, with
/// none after the last.
std::u16string BuildProcedureHeader(std::u16string_view declaration,
                                    const ProcessingSettings& settings);

/// What a parameter line says after its label: "Name 为Type型", or "Name  类型不确定"
/// without an As clause, in the labels of `language`.
std::u16string DescribeParameter(std::u16string_view parameter,
                                 LabelLanguage language = LabelLanguage::SimplifiedChinese);

} // namespace qf::test
