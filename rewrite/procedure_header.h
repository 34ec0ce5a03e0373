#pragma once

#include "rewrite/declaration.h"
#include "rewrite/header_labels.h"
#include "settings/processing_settings.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace qf {

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

} // namespace qf
