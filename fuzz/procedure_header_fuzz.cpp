// The comment-block writer on any text: the block always keeps its frame
// and form, whatever the declaration; and written straight from the bytes
// of an ASCII line it is the block written from the line's text.

#include "fuzz/fuzz_input.h"
#include "io/utf.h"
#include "rewrite/comment_block_writer.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

void Check(bool condition) {
  if (!condition)
    std::abort();
}

std::vector<std::u16string_view> SplitCrLf(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  for (std::size_t end; (end = text.find(u"\r\n")) != std::u16string_view::npos;) {
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end + 2);
  }
  lines.push_back(text);
  return lines;
}

/// The block of `declaration` as text, as the writer writes it in UTF-8.
std::u16string Block(std::u16string_view declaration, const qf::ProcessingSettings& settings) {
  qf::CodePage utf8("UTF-8");
  qf::OutputBuffer out(256);
  qf::CommentBlockWriter(settings, utf8).Write(declaration, out);
  std::u16string block = qf::Utf8ToUtf16Lenient(out.View());
  block.resize(block.size() - 2);
  return block;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qf::fuzz::FuzzInput input(data, size);
  qf::ProcessingSettings settings;
  if (input.TakeByte() % 2 == 1)
    settings.Commit(4, qf::DeriveSeparators(u"=-*"));
  // The rest as UTF-16 code units (lone surrogates and all); the rewrite
  // never hands over a line break.
  const std::string_view bytes = input.Rest();
  std::u16string declaration;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            static_cast<unsigned char>(bytes[i + 1]) << 8);
    declaration.push_back(unit == u'\r' || unit == u'\n' ? u' ' : unit);
  }

  const std::u16string block = Block(declaration, settings);
  const std::vector<std::u16string_view> lines = SplitCrLf(block);
  const std::u16string frame = u"'" + settings.SeparatorLine;
  const std::u16string inner = u"'" + settings.SeparatorUnit + u" ";
  Check(lines.size() >= 4);
  Check(lines.front() == frame && lines.back() == frame);
  for (std::size_t i = 1; i + 1 < lines.size(); ++i)
    Check(lines[i].substr(0, inner.size()) == inner);
  Check(lines[1].substr(inner.size(), 5) == u"过程名称：" ||
        lines[1].substr(inner.size(), 5) == u"函数名称：");
  const bool isFunction = lines[1].substr(inner.size(), 5) == u"函数名称：";
  const std::u16string_view last = lines[lines.size() - 2];
  Check(isFunction == (last.substr(inner.size(), 5) == u"返回类型："));
  Check(Block(declaration, settings) == block);

  if (std::all_of(declaration.begin(), declaration.end(), [](char16_t c) { return c < 0x80; })) {
    const std::string ascii(declaration.begin(), declaration.end());
    qf::CodePage codePage("CP936");
    std::string expected;
    codePage.Encode(block, expected);
    expected += "\r\n";
    qf::OutputBuffer written(16);
    qf::CommentBlockWriter writer(settings, codePage);
    writer.Write(std::string_view(ascii), written);
    Check(written.View() == expected);
    written.Clear();
    writer.Write(std::u16string_view(declaration), written); // pieces now cached
    Check(written.View() == expected);
  }
  return 0;
}
