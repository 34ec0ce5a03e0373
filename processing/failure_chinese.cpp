#include "processing/failure_chinese.h"

#include "io/utf.h"
#include "processing/file_kinds.h"

#include <array>
#include <string_view>

namespace qf {
namespace {

using namespace std::string_view_literals;

/// What failed, and its particulars: "{name}" stands for a particular of
/// the failure (see Particular below).
struct Words {
  std::u16string_view Cause;
  std::u16string_view Particulars;
};

// The texts of every kind, in the order of its enumeration.

constexpr std::array<Words, kIoFailureKinds> kIoWords = {{
    {u"无法打开文件", u"{system}"},                                                 // Open
    {u"无法打开文件", u"{type}"},                                                   // NotAFile
    {u"无法读取文件", u"{system}"},                                                 // Read
    {u"无法创建临时文件", u"{system}"},                                             // Create
    {u"无法设置临时文件的权限", u"{system}"},                                       // Permissions
    {u"无法写入临时文件", u"{system}"},                                             // Write
    {u"无法将临时文件写入磁盘", u"{system}"},                                       // Flush
    {u"无法关闭临时文件", u"{system}"},                                             // Close
    {u"无法替换原文件", u"{system}"},                                               // Replace
    {u"无法替换原文件", u"文件设有只读属性，未作处理"},                             // ReadOnly
    {u"无法替换原文件", u"文件属于其他用户或组，改写后无法保留其所有者，未作处理"}, // Foreign
    {u"无法创建临时文件", u"临时文件的位置上已有一个文件夹，未作处理"}, // TemporaryIsFolder
    {u"文件在读取期间被替换", u"未作处理，请重新运行"},                 // Changed
}};

constexpr std::array<Words, kTextFailureKinds> kTextWords = {{
    {u"行过长", u"超过 64 MiB；VB6 每行最多 1023 个字符"}, // LineTooLong
    {u"文本解码失败",
     u"字节 {bytes} 不能按代码页 {code_page} 解码，位于文件第 {offset} 字节"}, // Decode
    {u"无法确定代码页",
     u"字节 {bytes} 不能按最符合工程文本的代码页 {code_page} 解码，位于文件第 {offset} "
     u"字节；工程中的文件可能混用了多种代码页"}, // NoCodePage
    {u"无法确定代码页",
     u"此文件的文本属于代码页 {other_code_page}，工程中其它文件属于 {code_page}"}, // Mixed…
    {u"文件为 UTF-16 编码", u"VB6 文件应使用 ANSI 代码页，未作处理"},              // Utf16
}};

constexpr std::array<Words, kRewriteFailureKinds> kRewriteWords = {{
    {u"整数溢出", u"{step} 超出 -32768 到 32767 的范围"},                           // Overflow
    {u"无法合并续行的过程声明", u"续行符“_”在代码页 {code_page} 中不是单独的字节"}, // Unjoinable
}};

constexpr std::array<Words, kProjectFailureKinds> kProjectWords = {{
    {u"工程文件条目无法识别", u"“{entry}”：名称与文件之间缺少“;”"}, // EntryWithoutName
    {u"工程文件条目无法识别", u"“{entry}”：没有文件名"},            // EntryWithoutFile
    {u"整数溢出", u"“{entry}”：一个工程中的{kind}超过 32766 个"},   // TooManyEntries
    {u"工程文件本身被列为源文件", u""},                             // ProjectFileListed
    {u"文件类型不符", u"工程将它列为{kind}{named}，应为 {extension} 文件，未作处理"}, // Wrong…
    {u"工程组中没有工程", u""},                                  // GroupWithoutProject
    {u"工程组中的工程不存在", u"{entry}"},                       // GroupProjectMissing
    {u"工程组把自身列为工程", u""},                              // GroupListsItself
    {u"工程组中的条目不是工程文件", u"{entry}：应为 .vbp 文件"}, // GroupEntryNotProject
    {u"内存不足", u"文件未作改动"},                              // OutOfMemory
}};

/// What stands at a path that is no regular file, by FileType.
constexpr std::array<std::u16string_view, 8> kFileTypes = {
    u"是普通文件",
    u"是一个文件夹，不是普通文件",
    u"是一个命名管道，不是普通文件",
    u"是一个套接字，不是普通文件",
    u"是一个字符设备，不是普通文件",
    u"是一个块设备，不是普通文件",
    u"是一个管道，不是普通文件",
    u"不是普通文件",
};

std::u16string Wide(const std::string& text) {
  return Utf8ToUtf16Lenient(text);
}

// The particulars of each layer's failures, by the names the texts use.

std::u16string Particular(const IoFailure& f, std::u16string_view name) {
  if (name == u"system"sv)
    return Wide(SystemErrorText(f.Error));
  return std::u16string(kFileTypes[static_cast<std::size_t>(f.Type)]); // type
}

std::u16string Particular(const TextFailure& f, std::u16string_view name) {
  if (name == u"bytes"sv)
    return Wide(f.Bytes);
  if (name == u"offset"sv)
    return Wide(std::to_string(f.Offset));
  return Wide(name == u"code_page"sv ? f.CodePage : f.OtherCodePage);
}

std::u16string Particular(const RewriteFailure& f, std::u16string_view name) {
  return Wide(name == u"step"sv ? f.Step : f.CodePage);
}

std::u16string Particular(const ProjectFailure& f, std::u16string_view name) {
  if (name == u"entry"sv)
    return Wide(f.Entry);
  if (name == u"named"sv)
    return f.Entry.empty() ? std::u16string() : u" " + Wide(f.Entry);
  if (name == u"kind"sv)
    return std::u16string(f.Of ? InfoOf(*f.Of).ChineseName : u"文件");
  return f.Of ? Wide(std::string(InfoOf(*f.Of).Extension)) : std::u16string(); // extension
}

template <typename Kind, std::size_t N>
const Words& WordsOf(const std::array<Words, N>& table, Kind kind) {
  return table[static_cast<std::size_t>(kind)];
}

const Words& WordsOf(const IoFailure& f) {
  return WordsOf(kIoWords, f.Kind);
}
const Words& WordsOf(const TextFailure& f) {
  return WordsOf(kTextWords, f.Kind);
}
const Words& WordsOf(const RewriteFailure& f) {
  return WordsOf(kRewriteWords, f.Kind);
}
const Words& WordsOf(const ProjectFailure& f) {
  return WordsOf(kProjectWords, f.Kind);
}

} // namespace

std::u16string DescribeInChinese(const Failure& failure) {
  return std::visit(
      [&failure](const auto& f) {
        const Words& words = WordsOf(f);
        const std::u16string particulars = FillIn(
            words.Particulars, [&f](std::u16string_view name) { return Particular(f, name); });
        std::u16string text(words.Cause);
        text += u"：";
        text += Wide(FailedFile(failure));
        if (FailedLine(failure) != 0)
          text += u" 第" + Wide(std::to_string(FailedLine(failure))) + u"行";
        if (!particulars.empty())
          text += u"（" + particulars + u"）";
        return text;
      },
      failure);
}

} // namespace qf
