#pragma once

#include "settings/processing_settings.h"

#include <string>
#include <string_view>

namespace qf {

/// Builds the comment block written above a Sub or Function declaration:
///
///   '<SeparatorLine>
///   '<SeparatorUnit> 过程名称：Name          (函数名称： for a Function)
///   '<SeparatorUnit> 参数：<description>     (one per parameter, or " 参数： 无")
///   '<SeparatorUnit> 返回类型：As Long        (Functions only; " 返回类型： 不确定" without As)
///   '<SeparatorLine>
///
/// Lines are joined by CR LF, with none after the last. `declaration` is a
/// trimmed declaration line, continuation lines already joined. The kind is
/// taken from the leading keyword (after Private or Public); the parameter
/// list runs from the first "(" to its matching ")" (parentheses in string
/// literals do not count); a comment after the declaration is ignored.
/// Any text gives a block.
std::u16string BuildProcedureHeader(std::u16string_view declaration,
                                    const ProcessingSettings& settings);

/// Describes one parameter: "Name 为Type型", or "Name  类型不确定" when it has
/// no As clause. Leading ByVal, ByRef, Optional and ParamArray are skipped,
/// and a default value ("= ...") is not part of the type.
std::u16string DescribeParameter(std::u16string_view parameter);

} // namespace qf
