#include "processing/operation_report.h"

#include "processing/failure_chinese.h"

#include <string>

namespace qf {

void OperationReport::Append(std::initializer_list<std::u16string_view> parts) {
  const std::size_t start = text_.size();
  for (std::u16string_view part : parts)
    text_ += part;
  if (listener_)
    listener_(std::u16string_view(text_).substr(start));
  text_ += u"\r\n";
}

void OperationReport::ProjectRead(const ProjectInfo& info) {
  text_.clear();
  started_ = true;
  Append({u"操作报告："});
  Append({u"    工程名称：", info.ProjectName});
  Append({u"    程序类型：", info.ProgramType});
  Append({u"    公司名称：", info.CompanyName});
  Append(
      {u"    版 本 号：", info.MajorVersion, u".", info.MinorVersion, u".", info.RevisionVersion});
  Append({u"    启动对象：", info.StartupObject});
}

void OperationReport::KindStarted(FileKind kind) {
  Append({InfoOf(kind).Heading});
}

void OperationReport::FileStarted(FileKind kind, const SourceFileEntry& entry) {
  const FileKindInfo& info = InfoOf(kind);
  if (info.Named)
    Append({info.NameLabel, entry.Name});
  Append({info.LocationLabel, entry.Location});
}

namespace {

std::u16string Number(std::size_t n) {
  const std::string digits = std::to_string(n);
  return {digits.begin(), digits.end()};
}

/// The outcome of a file that a run tidying files again handled.
std::u16string RevisitOutcome(const FileResult& result) {
  const RevisitAccount& account = *result.Revisit;
  std::u16string text;
  if (!result.Changes)
    text = u"已经整齐，没有改动";
  else if (account.Revisited())
    text = u"重新整理完成：重建注释块 " + Number(account.Rebuilt) + u" 个，新增 " +
           Number(account.Added) + u" 个";
  else
    text = u"处理完成";
  if (account.Kept != 0)
    text += u"；" + Number(account.Kept) + u" 个注释块经人修改，原样保留";
  return text;
}

} // namespace

void OperationReport::SourcesNamed(std::size_t count) {
  text_.clear();
  started_ = true;
  Append({u"操作报告："});
  Append({u"    源文件数：", Number(count)});
}

void OperationReport::FileDone(FileKind, const SourceFileEntry&, const FileResult& result) {
  if (result.Outcome == RewriteOutcome::AlreadyProcessed)
    Append({u"    ......已经被处理过，不能继续处理"});
  else if (result.Revisit)
    Append({u"    ......", RevisitOutcome(result)});
  else
    Append({u"    ......处理完成"});
}

void OperationReport::Stopped(const Failure& failure) {
  Append({u"    ......处理中断：", DescribeInChinese(failure)});
}

} // namespace qf
