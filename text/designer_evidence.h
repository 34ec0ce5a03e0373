#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qf {

/// What the designer header of a form, user control or property page says
/// of the code page it was saved in, beyond its text.
///
/// Each font records its character set (`Charset = 134`), which stands for a
/// code page: 128 Shift-JIS, 129 Hangul, 134 GB2312, 136 Big5, 161 Greek,
/// 162 Turkish, 163 Vietnamese, 177 Hebrew, 178 Arabic, 186 Baltic,
/// 204 Cyrillic, 222 Thai, 238 Central European. 0 (ANSI) is a Western code
/// page, or no choice at all; 2 (symbol) and the rest say nothing.
///
/// A localised VB6 writes, after the value of an enumerated property, the
/// value's name in its own language (`StartUpPosition = 3 '窗口缺省`), and
/// its default fonts carry their local names (`Name = "ＭＳ Ｐゴシック"`).
/// Such a word decodes to itself in the code page of that VB6 only: in any
/// other it is other characters. The words kept here are the ones real
/// projects show most.
class DesignerEvidence {
public:
  /// One line of a file, without its line break.
  void Line(std::string_view bytes);

  /// Fonts whose character set stands for `codePage` (a name of
  /// kGuessableCodePages).
  std::size_t CharsetVotes(std::string_view codePage) const;
  /// Fonts with character set 0.
  std::size_t AnsiFonts() const { return ansi_; }
  /// The code page with the most fonts, and their count (0 when none).
  std::pair<std::string_view, std::size_t> MostCharsetVotes() const;

  /// Property comments and font names (their bytes, each at most once)
  /// that hold bytes above 0x7F: the designer's words.
  const std::vector<std::string>& Words() const { return words_; }

  /// Whether `text`, a designer word decoded in `codePage`, is one of the
  /// words the VB6 of that code page writes.
  static bool IsLocalWord(std::string_view codePage, std::u16string_view text);

private:
  std::map<std::string_view, std::size_t> charsets_;
  std::size_t ansi_ = 0;
  std::vector<std::string> words_;
};

/// The code page a font character set stands for; empty for 0, 2 and the
/// values that name none.
std::string_view CharsetCodePage(int charset);

} // namespace qf
