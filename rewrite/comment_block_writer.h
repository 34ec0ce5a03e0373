#pragma once

#include "rewrite/output_buffer.h"
#include "rewrite/procedure_header.h"
#include "text/code_page.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qf {

/// Writes comment blocks in a code page straight onto the end of an output
/// buffer, each line followed by CR LF. The fixed pieces (the frame line,
/// the unit, the labels) are encoded once, when first written; the
/// declaration's own words go out as its bytes where the line is plain
/// ASCII, and are encoded from its text otherwise.
class CommentBlockWriter {
public:
  CommentBlockWriter(const ProcessingSettings& settings, CodePage& codePage)
      : settings_(settings), labels_(LabelsFor(settings.Labels)), codePage_(codePage) {}

  /// Appends the block of `declaration` (decoded text, or the bytes of a
  /// plain-ASCII line) and its final CR LF to `out`. Returns the number of
  /// lines written.
  template <typename Char>
  std::size_t Write(std::basic_string_view<Char> declaration, OutputBuffer& out) {
    out_ = &out;
    lines_ = 1;
    LayOutProcedureHeader(declaration, *this);
    out.Append("\r\n");
    return lines_;
  }

  // The layout's output (see LayOutProcedureHeader).
  void Frame() { out_->Append(Piece(kFrame, u"'", settings_.SeparatorLine)); }
  void Inner(HeaderLabel label) {
    out_->Append(Piece(kInner, u"'", settings_.SeparatorUnit));
    Label(label);
  }
  void Label(HeaderLabel label) {
    const auto index = static_cast<std::size_t>(label);
    out_->Append(Piece(index, labels_[index], {}));
  }
  void Value(std::string_view bytes) { out_->Append(bytes); }
  void Value(std::u16string_view text) {
    encoded_.clear();
    codePage_.Encode(text, encoded_);
    out_->Append(encoded_);
  }
  void Break() {
    out_->Append("\r\n");
    ++lines_;
  }

private:
  static constexpr std::size_t kFrame = kHeaderLabelCount;
  static constexpr std::size_t kInner = kHeaderLabelCount + 1;

  /// The bytes of `a` followed by `b`, encoded the first time they are asked for.
  const std::string& Piece(std::size_t index, std::u16string_view a, std::u16string_view b);

  const ProcessingSettings& settings_;
  const HeaderLabels& labels_;
  CodePage& codePage_;
  std::array<std::optional<std::string>, kHeaderLabelCount + 2> pieces_;
  OutputBuffer* out_ = nullptr;
  std::size_t lines_ = 0;
  std::string encoded_; ///< holds an encoded value on its way to out_
};

} // namespace qf
