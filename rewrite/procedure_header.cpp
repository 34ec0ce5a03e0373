#include "rewrite/procedure_header.h"

namespace qf {
namespace {

/// Builds the block as text.
class TextBlock {
public:
  TextBlock(const ProcessingSettings& settings, const HeaderLabels& labels)
      : settings_(settings), labels_(labels) {}

  void Frame() {
    text_ += u'\'';
    text_ += settings_.SeparatorLine;
  }
  void Inner(HeaderLabel label) {
    text_ += u'\'';
    text_ += settings_.SeparatorUnit;
    Label(label);
  }
  void Label(HeaderLabel label) { text_ += labels_[static_cast<std::size_t>(label)]; }
  void Value(std::u16string_view value) { text_ += value; }
  void Break() { text_ += u"\r\n"; }

  std::u16string Take() { return std::move(text_); }

private:
  const ProcessingSettings& settings_;
  const HeaderLabels& labels_;
  std::u16string text_;
};

} // namespace

std::u16string BuildProcedureHeader(std::u16string_view declaration,
                                    const ProcessingSettings& settings) {
  TextBlock block(settings, LabelsFor(settings.Labels));
  LayOutProcedureHeader(declaration, block);
  return block.Take();
}

std::u16string DescribeParameter(std::u16string_view text, LabelLanguage language) {
  const HeaderLabels& labels = LabelsFor(language);
  const declaration::Parameter<char16_t> parameter = declaration::ParseParameter(text);
  std::u16string description(parameter.Name);
  const auto label = [&labels](HeaderLabel which) {
    return labels[static_cast<std::size_t>(which)];
  };
  if (!parameter.HasType)
    return description.append(label(HeaderLabel::UnknownType));
  return description.append(label(HeaderLabel::TypeBefore))
      .append(parameter.Type)
      .append(label(HeaderLabel::TypeAfter));
}

} // namespace qf
