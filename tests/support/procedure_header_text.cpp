#include "tests/support/procedure_header_text.h"

#include "io/utf.h"
#include "rewrite/comment_block_writer.h"

namespace qf::test {

std::u16string BuildProcedureHeader(std::u16string_view declaration,
                                    const ProcessingSettings& settings) {
  CodePage utf8("UTF-8");
  OutputBuffer out(256);
  CommentBlockWriter(settings, utf8).Write(declaration, out);
  std::u16string block = Utf8ToUtf16(out.View());
  block.resize(block.size() - 2); // the CR LF after the last line
  return block;
}

std::u16string DescribeParameter(std::u16string_view text, LabelLanguage language) {
  const HeaderLabels& labels = LabelsFor(language);
  const auto label = [&labels](HeaderLabel which) {
    return labels[static_cast<std::size_t>(which)];
  };
  const declaration::Parameter<char16_t> parameter = declaration::ParseParameter(text);
  std::u16string description(parameter.Name);
  if (!parameter.HasType)
    return description.append(label(HeaderLabel::UnknownType));
  return description.append(label(HeaderLabel::TypeBefore))
      .append(parameter.Type)
      .append(label(HeaderLabel::TypeAfter));
}

} // namespace qf::test
