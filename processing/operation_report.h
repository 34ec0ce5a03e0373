#pragma once

#include "processing/project_file.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace qf {

/// The kinds of source file, in the order a run handles them.
enum class FileKind { Form, Module, Class, UserControl, PropertyPage };

/// The operation report: Chinese text whose every line ends with CR LF,
/// built line by line while the run goes on. Appending costs the length of
/// the line, not of the report.
class OperationReport {
public:
  /// Told every line as it is added (without its CR LF).
  using LineListener = std::function<void(std::u16string_view line)>;

  explicit OperationReport(LineListener listener = {}) : listener_(std::move(listener)) {}

  /// Replaces the whole text by `title` and its CR LF.
  void Start(std::u16string_view title);
  /// Appends the parts, joined, as one line.
  void Append(std::initializer_list<std::u16string_view> parts);

  const std::u16string& Text() const noexcept { return text_; }
  bool Started() const noexcept { return started_; }

  /// The title line, then the five property lines.
  void WriteHead(const ProjectInfo& info);
  /// The heading of a kind of file ("窗体对象", ...).
  void WriteHeading(FileKind kind);
  /// The lines that describe one file, written before it is handled.
  void WriteEntry(FileKind kind, const SourceFileEntry& entry);
  /// "    ......处理完成", or the already-processed line for kAlreadyProcessed.
  void WriteOutcome(std::int32_t result);
  /// "    ......处理中断：" and the cause of the failure that stopped the run.
  void WriteInterruption(std::u16string_view cause);

private:
  void Notify();

  std::u16string text_;
  std::size_t lastLine_ = 0; ///< Where the line last added starts.
  bool started_ = false;
  LineListener listener_;
};

} // namespace qf
