#include "processing/failure_text.h"

#include "io/utf.h"
#include "processing/file_kinds.h"

#include <string_view>

namespace qf {
namespace {

std::u16string Wide(const std::string& text) {
  return Utf8ToUtf16Lenient(text);
}

std::u16string Number(std::uint64_t value) {
  return Wide(std::to_string(value));
}

/// What a path that is no file is, in Chinese.
std::u16string NotAFileText(const std::string& what) {
  if (what == "a directory")
    return u"是一个文件夹";
  if (what == "a FIFO")
    return u"是一个命名管道";
  if (what == "a socket")
    return u"是一个套接字";
  if (what == "a pipe")
    return u"是一个管道";
  if (what == "a character device")
    return u"是一个字符设备";
  if (what == "a block device")
    return u"是一个块设备";
  return u"不是普通文件";
}

/// The Chinese name of the kind that a failure names by its English plural
/// or by its key as the project writes it.
std::u16string_view KindName(const std::string& name) {
  for (const FileKindInfo& kind : kFileKinds)
    if (kind.EnglishPlural == name || kind.Listing == name)
      return kind.ChineseName;
  return u"文件";
}

struct Parts {
  std::u16string_view Cause;
  std::u16string Particulars;
};

Parts PartsOf(const Failure& f) {
  const std::u16string detail = Wide(f.Detail);
  const std::u16string entry = u"“" + Wide(f.Subject) + u"”";
  switch (f.Kind) {
  case FailureKind::Open:
    return {u"无法打开文件", detail};
  case FailureKind::NotAFile:
    return {u"无法打开文件", NotAFileText(f.Subject) + u"，不是普通文件"};
  case FailureKind::Read:
    return {u"无法读取文件", detail};
  case FailureKind::LineTooLong:
    return {u"行过长", u"超过 64 MiB；VB6 每行最多 1023 个字符"};
  case FailureKind::Decode:
    return {u"文本解码失败", u"字节 " + Wide(f.Subject) + u" 不能按代码页 " + Wide(f.CodePage) +
                                 u" 解码，位于文件第 " + Number(f.Offset) + u" 字节"};
  case FailureKind::Overflow:
    return {u"整数溢出", Wide(f.Subject) + u" 超出 -32768 到 32767 的范围"};
  case FailureKind::Unjoinable:
    return {u"无法合并续行的过程声明",
            u"续行符“_”在代码页 " + Wide(f.CodePage) + u" 中不是单独的字节"};
  case FailureKind::Create:
    return {u"无法创建临时文件", detail};
  case FailureKind::Permissions:
    return {u"无法设置临时文件的权限", detail};
  case FailureKind::Write:
    return {u"无法写入临时文件", detail};
  case FailureKind::Flush:
    return {u"无法将临时文件写入磁盘", detail};
  case FailureKind::Close:
    return {u"无法关闭临时文件", detail};
  case FailureKind::Replace:
    return {u"无法替换原文件", detail};
  case FailureKind::ReadOnly:
    return {u"无法替换原文件", u"文件设有只读属性，未作处理"};
  case FailureKind::EntryWithoutName:
    return {u"工程文件条目无法识别", entry + u"：名称与文件之间缺少“;”"};
  case FailureKind::EntryWithoutFile:
    return {u"工程文件条目无法识别", entry + u"：没有文件名"};
  case FailureKind::TooManyEntries:
    return {u"整数溢出",
            entry + u"：一个工程中的" + std::u16string(KindName(f.Detail)) + u"超过 32766 个"};
  case FailureKind::ProjectFileListed:
    return {u"工程文件本身被列为源文件", {}};
  case FailureKind::GroupWithoutProject:
    return {u"工程组中没有工程", {}};
  case FailureKind::GroupProjectMissing:
    return {u"工程组中的工程不存在", Wide(f.Subject)};
  case FailureKind::GroupListsItself:
    return {u"工程组把自身列为工程", {}};
  case FailureKind::NoCodePage:
    return {u"无法确定代码页", u"字节 " + Wide(f.Subject) + u" 不能按最符合工程文本的代码页 " +
                                   Wide(f.CodePage) + u" 解码，位于文件第 " + Number(f.Offset) +
                                   u" 字节；工程中的文件可能混用了多种代码页"};
  case FailureKind::MixedCodePages:
    return {u"无法确定代码页", u"此文件的文本属于代码页 " + Wide(f.Subject) +
                                   u"，工程中其它文件属于 " + Wide(f.CodePage)};
  case FailureKind::WrongExtension:
    return {u"文件类型不符", u"工程将它列为" + std::u16string(KindName(f.Listing)) +
                                 (f.Subject.empty() ? u"" : u" " + Wide(f.Subject)) + u"，应为 " +
                                 Wide(f.Expected) + u" 文件，未作处理"};
  }
  return {u"处理失败", detail};
}

} // namespace

std::u16string DescribeInChinese(const Failure& failure) {
  const Parts parts = PartsOf(failure);
  std::u16string text(parts.Cause);
  text += u"：";
  text += Wide(failure.File);
  if (failure.Line != 0)
    text += u" 第" + Number(failure.Line) + u"行";
  if (!parts.Particulars.empty())
    text += u"（" + parts.Particulars + u"）";
  return text;
}

} // namespace qf
