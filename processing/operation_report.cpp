#include "processing/operation_report.h"

#include "processing/failure_chinese.h"

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

void OperationReport::FileDone(FileKind, const SourceFileEntry&, const FileResult& result) {
  Append({u"    ......", result.Outcome == RewriteOutcome::AlreadyProcessed
                             ? u"已经被处理过，不能继续处理"
                             : u"处理完成"});
}

void OperationReport::Stopped(const Failure& failure) {
  Append({u"    ......处理中断：", DescribeInChinese(failure)});
}

} // namespace qf
