#include "processing/operation_report.h"

#include "rewrite/rewrite_pass.h"

namespace qf {

void OperationReport::Start(std::u16string_view title) {
  text_.clear();
  started_ = true;
  Append({title});
}

void OperationReport::Append(std::initializer_list<std::u16string_view> parts) {
  lastLine_ = text_.size();
  for (std::u16string_view part : parts)
    text_ += part;
  text_ += u"\r\n";
  Notify();
}

void OperationReport::Notify() {
  if (listener_)
    listener_(std::u16string_view(text_).substr(lastLine_, text_.size() - lastLine_ - 2));
}

void OperationReport::WriteHead(const ProjectInfo& info) {
  Start(u"操作报告：");
  Append({u"    工程名称：", info.ProjectName});
  Append({u"    程序类型：", info.ProgramType});
  Append({u"    公司名称：", info.CompanyName});
  Append(
      {u"    版 本 号：", info.MajorVersion, u".", info.MinorVersion, u".", info.RevisionVersion});
  Append({u"    启动对象：", info.StartupObject});
}

void OperationReport::WriteHeading(FileKind kind) {
  switch (kind) {
  case FileKind::Form:
    return Append({u"窗体对象"});
  case FileKind::Module:
    return Append({u"模块对象"});
  case FileKind::Class:
    return Append({u"类模块对象"});
  case FileKind::UserControl:
    return Append({u"用户控件单元"});
  case FileKind::PropertyPage:
    return Append({u"属性页单元"});
  }
}

void OperationReport::WriteEntry(FileKind kind, const SourceFileEntry& entry) {
  switch (kind) {
  case FileKind::Form:
    return Append({u"    ", entry.Location});
  case FileKind::Module:
    Append({u"    模块名称：", entry.Name});
    return Append({u"    模块位置：", entry.Location});
  case FileKind::Class:
    Append({u"    类模块名称：", entry.Name});
    return Append({u"    类模块位置：", entry.Location});
  case FileKind::UserControl:
    return Append({u"    用户控件位置：", entry.Location});
  case FileKind::PropertyPage:
    return Append({u"    属性页位置：", entry.Location});
  }
}

void OperationReport::WriteOutcome(std::int32_t result) {
  Append(
      {u"    ......", result == kAlreadyProcessed ? u"已经被处理过，不能继续处理" : u"处理完成"});
}

void OperationReport::WriteInterruption(std::u16string_view cause) {
  Append({u"    ......处理中断：", cause});
}

} // namespace qf
