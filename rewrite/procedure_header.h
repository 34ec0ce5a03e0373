#pragma once

#include "rewrite/declaration.h"
#include "settings/processing_settings.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace qf {

/// The fixed texts of a comment block, apart from the separators and the
/// declaration's own words.
enum class HeaderLabel : std::size_t {
  SubName,       ///< before a Sub's name
  FunctionName,  ///< before a Function's name
  Parameter,     ///< before a parameter's description
  NoParameters,  ///< the whole text of the line of an empty parameter list
  TypeBefore,    ///< between a parameter's name and its type
  TypeAfter,     ///< after a parameter's type
  UnknownType,   ///< after the name of a parameter without an As clause
  Returns,       ///< before a Function's return type
  UnknownReturn, ///< the whole text of the line of a Function without As
};
inline constexpr std::size_t kHeaderLabelCount = 9;

/// A set of label texts, indexed by HeaderLabel.
using HeaderLabels = std::array<std::u16string_view, kHeaderLabelCount>;

/// The Chinese labels.
inline constexpr HeaderLabels kChineseLabels = {
    u" 过程名称：", u" 函数名称：",  u" 参数：",     u" 参数： 无",        u" 为",
    u"型",          u"  类型不确定", u" 返回类型：", u" 返回类型： 不确定"};

/// Lays out the comment block of `declaration` on `out`, which offers:
///   Frame()            a frame line: "'" and the separator line
///   Inner(label)       starts an inner line: "'", the separator unit and the label
///   Label(label)       the label's text
///   Value(view)        words of the declaration
///   Break()            the line break between two lines of the block
///
///   '<SeparatorLine>
///   '<SeparatorUnit> 过程名称：Name          (函数名称： for a Function)
///   '<SeparatorUnit> 参数：<name> 为<type>型  (one per parameter, or " 参数： 无";
///                                            "<name>  类型不确定" without As)
///   '<SeparatorUnit> 返回类型：As Long        (Functions only; " 返回类型： 不确定" without As)
///   '<SeparatorLine>
///
/// `declaration` is a trimmed declaration line, continuation lines already
/// joined (see declaration::Parse for how it is read). Any text gives a block.
template <typename Char, typename Out>
void LayOutProcedureHeader(std::basic_string_view<Char> declaration, Out& out) {
  namespace d = declaration;
  const d::Declaration<Char> decl = d::Parse(declaration);
  out.Frame();
  out.Break();
  out.Inner(decl.IsSub ? HeaderLabel::SubName : HeaderLabel::FunctionName);
  out.Value(decl.Name);
  out.Break();
  if (d::TrimBlanks(decl.Parameters).empty()) {
    out.Inner(HeaderLabel::NoParameters);
    out.Break();
  } else {
    d::ForEachParameter(decl.Parameters, [&out](std::basic_string_view<Char> text) {
      const d::Parameter<Char> parameter = d::ParseParameter(text);
      out.Inner(HeaderLabel::Parameter);
      out.Value(parameter.Name);
      if (parameter.HasType) {
        out.Label(HeaderLabel::TypeBefore);
        out.Value(parameter.Type);
        out.Label(HeaderLabel::TypeAfter);
      } else {
        out.Label(HeaderLabel::UnknownType);
      }
      out.Break();
    });
  }
  if (!decl.IsSub) {
    if (decl.ReturnType.empty()) {
      out.Inner(HeaderLabel::UnknownReturn);
    } else {
      out.Inner(HeaderLabel::Returns);
      out.Value(decl.ReturnType);
    }
    out.Break();
  }
  out.Frame();
}

/// The comment block written above a Sub or Function declaration (see
/// LayOutProcedureHeader), with the settings' separators and `labels`. Lines
/// are joined by CR LF, with none after the last.
std::u16string BuildProcedureHeader(std::u16string_view declaration,
                                    const ProcessingSettings& settings,
                                    const HeaderLabels& labels = kChineseLabels);

/// Describes one parameter: "Name 为Type型", or "Name  类型不确定" when it has
/// no As clause (see declaration::ParseParameter).
std::u16string DescribeParameter(std::u16string_view parameter,
                                 const HeaderLabels& labels = kChineseLabels);

} // namespace qf
