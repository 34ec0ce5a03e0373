#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qf {

/// The length of a derived separator unit and of a separator line.
inline constexpr std::size_t kSeparatorUnitLength = 14;
inline constexpr std::size_t kSeparatorLineLength = 66;

/// The separator pair derived from one separator text.
struct Separators {
  std::u16string Unit; ///< kSeparatorUnitLength characters: prefixes the inner lines of a header.
  std::u16string Line; ///< kSeparatorLineLength characters: its first and last line.
  bool operator==(const Separators&) const = default;
};

/// The separators of the text "#", which an empty text derives to too.
Separators HashSeparators();

/// The language of the labels in the comment headers. Only the labels
/// differ; the block's structure and the reading of the declaration are
/// the same in every language.
enum class LabelLanguage {
  SimplifiedChinese,  ///< 过程名称： ... (the built-in labels)
  TraditionalChinese, ///< 過程名稱： ... (Big5, CP950)
  Japanese,           ///< プロシージャ名： ... (Shift-JIS, CP932)
  English,            ///< Sub: ... (ASCII only: every code page holds them)
};

/// The three values that steer a rewrite, the labels' language, and what a rewrite does with a
/// file it tidied before. One instance lives for the whole program run; only a confirmed
/// settings panel replaces it.
struct ProcessingSettings {
  /// Spaces per nesting level of code.
  std::int16_t IndentWidth = 4;
  /// Follows the comment mark on the first and last line of a comment header.
  std::u16string SeparatorLine = std::u16string(kSeparatorLineLength, u'#');
  /// Follows the comment mark on every other line of a comment header. The
  /// start-up "##" is what no separator text derives to.
  std::u16string SeparatorUnit = u"##";
  /// The comment headers' labels (not set by the settings panel).
  LabelLanguage Labels = LabelLanguage::SimplifiedChinese;
  /// A file that carries the marker line is tidied again instead of refused: laid out and
  /// indented as on a first run, its marker kept, the comment blocks it wrote rebuilt (--update).
  bool Update = false;
  /// Procedures without a comment block get one (--no-headers: none; blocks met stay as they are).
  bool WriteBlocks = true;
  /// A file without the marker line gets one (--no-marker: none).
  bool WriteMarker = true;

  /// Whether the rewrite may meet its own work and must know it: an update, or a run that
  /// leaves out the marker or the blocks (a second such run must change nothing). Such a run
  /// recognises the comment blocks it wrote, and tells whether each file changes.
  bool TidiesAgain() const { return Update || !WriteBlocks || !WriteMarker; }

  /// The start-up values: 4, 66 "#" and "##".
  static ProcessingSettings StartUp() { return {}; }

  /// Replaces all three values at once, as the settings panel's OK does.
  void Commit(std::int16_t indentWidth, Separators separators);

  bool operator==(const ProcessingSettings&) const = default;
};

/// The longest separator text the settings panel accepts.
inline constexpr std::size_t kMaxSeparatorLength = 8;

/// Derives the unit (14 characters) and the line (66 characters) from a
/// separator text by repeating its characters cyclically; an empty text
/// derives as "#". Lengths count UTF-16 code units.
Separators DeriveSeparators(std::u16string_view text);

/// Why a separator text cannot go into the comment headers.
enum class SeparatorFault {
  None,             ///< It can: its headers are comments and nothing else.
  TooLong,          ///< More than kMaxSeparatorLength characters.
  ControlCharacter, ///< A control character (U+0000 to U+001F, tab included; DEL; U+0080 to
                    ///< U+009F): a CR or LF would end the comment and write the rest as code.
  LineContinuation, ///< The frame lines would end in a blank (space or tab) and "_", blanks
                    ///< after them aside: a line continuation, which makes the line below
                    ///< (the Sub or Function header) part of the comment. (The inner lines
                    ///< never end in the unit: a label follows it.)
};

/// Whether the separators that `text` derives (DeriveSeparators) can be
/// written into code, and if not, why. The first fault found, in the order
/// of SeparatorFault.
SeparatorFault FaultOfSeparator(std::u16string_view text);

} // namespace qf
