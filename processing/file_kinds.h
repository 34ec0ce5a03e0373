#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qf {

/// The kinds of source file a project lists.
enum class FileKind : std::uint8_t { Form, Module, Class, UserControl, PropertyPage };
inline constexpr std::size_t kFileKindCount = 5;

/// Everything that differs between the kinds: the project file's key and
/// how its value is cut, the report's texts and the names in messages. The
/// project reader, the run and the report are driven by this table.
struct FileKindInfo {
  FileKind Kind;
  std::u16string_view Key;    ///< The project file's key, in upper case.
  std::string_view Listing;   ///< The key as VB6 writes it ("Module"), in messages.
  std::string_view Extension; ///< What the file's name ends with (any letter case).
  /// The first line VB6 writes in such a file, at its start ("Attribute
  /// VB_Name = " is followed by the module's name).
  std::string_view FirstLine;
  /// For the designed kinds, what the designer's first line begins with
  /// (after any "Object = " lines); empty for the others.
  std::string_view Designer;
  bool Named;                        ///< The value is "name; file" (else just "file").
  std::u16string_view Heading;       ///< The report's heading of the kind.
  std::u16string_view NameLabel;     ///< The report's name line (Named kinds).
  std::u16string_view LocationLabel; ///< The report's location line.
  std::string_view EnglishPlural;    ///< "modules", in English messages.
  std::u16string_view ChineseName;   ///< "模块", in Chinese messages.
  std::string_view JsonName;         ///< "module", in the machine-readable report.
};

/// The kinds, in the order a run handles them.
inline constexpr std::array<FileKindInfo, kFileKindCount> kFileKinds = {{
    {FileKind::Form, u"FORM", "Form", ".frm", "VERSION 5.00", "Begin VB.Form", false, u"窗体对象",
     u"", u"    ", "forms", u"窗体", "form"},
    {FileKind::Module, u"MODULE", "Module", ".bas", "Attribute VB_Name = ", "", true, u"模块对象",
     u"    模块名称：", u"    模块位置：", "modules", u"模块", "module"},
    {FileKind::Class, u"CLASS", "Class", ".cls", "VERSION 1.0 CLASS", "", true, u"类模块对象",
     u"    类模块名称：", u"    类模块位置：", "class modules", u"类模块", "class"},
    {FileKind::UserControl, u"USERCONTROL", "UserControl", ".ctl", "VERSION 5.00",
     "Begin VB.UserControl", false, u"用户控件单元", u"", u"    用户控件位置：", "user controls",
     u"用户控件", "userControl"},
    {FileKind::PropertyPage, u"PROPERTYPAGE", "PropertyPage", ".pag", "VERSION 5.00",
     "Begin VB.PropertyPage", false, u"属性页单元", u"", u"    属性页位置：", "property pages",
     u"属性页", "propertyPage"},
}};

/// The table's entry of `kind`.
constexpr const FileKindInfo& InfoOf(FileKind kind) {
  return kFileKinds[static_cast<std::size_t>(kind)];
}

} // namespace qf
