#pragma once

#include "processing/run_observer.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace qf {

/// The operation report: Chinese text whose every line ends with CR LF,
/// built line by line while the run goes on. Appending costs the length of
/// the line, not of the report.
///
///   操作报告：
///       工程名称：Demo              (then 程序类型, 公司名称, 版 本 号, 启动对象;
///                                    for source files named by themselves,
///                                    源文件数：3 in their place)
///   窗体对象                        (each kind's heading, from the kinds table)
///       C:\work\demo\frmMain.frm    (each file's description lines)
///       ......处理完成               (or ......已经被处理过，不能继续处理; a dry
///                                    run tells a file it would rewrite as done)
///       ......重新整理完成：重建注释块 2 个，新增 1 个   (a run that tidies
///                                    files again, on a file it tidied before;
///                                    ......已经整齐，没有改动 where nothing
///                                    changes; either followed by
///                                    "；1 个注释块经人修改，原样保留")
///   ...
///       ......处理中断：<the failure in Chinese>   (a run that stopped)
class OperationReport final : public RunObserver {
public:
  /// Told every line as it is added (without its CR LF).
  using LineListener = std::function<void(std::u16string_view line)>;

  explicit OperationReport(LineListener listener = {}) : listener_(std::move(listener)) {}

  const std::u16string& Text() const noexcept { return text_; }
  /// Whether the report has begun (the project file was read).
  bool Started() const noexcept { return started_; }

  void ProjectRead(const ProjectInfo& info) override;
  void SourcesNamed(std::size_t count) override;
  void KindStarted(FileKind kind) override;
  void FileStarted(FileKind kind, const SourceFileEntry& entry) override;
  void FileDone(FileKind kind, const SourceFileEntry& entry, const FileResult& result) override;
  void Stopped(const Failure& failure) override;

private:
  void Append(std::initializer_list<std::u16string_view> parts);

  std::u16string text_;
  bool started_ = false;
  LineListener listener_;
};

} // namespace qf
