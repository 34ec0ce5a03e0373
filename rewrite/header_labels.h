#pragma once

#include "settings/processing_settings.h"
#include "text/code_page.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace qf {

/// The fixed texts of a comment block, apart from the separators and the
/// declaration's own words.
enum class HeaderLabel : std::size_t {
  SubName,       ///< before a Sub's name
  FunctionName,  ///< before a Function's name
  Parameter,     ///< before a parameter's description
  NoParameters,  ///< the whole text of the line of an empty parameter list
  TypeBefore,    ///< between a parameter's name and its type
  TypeAfter,     ///< after a parameter's type
  UnknownType,   ///< after the name of a parameter without an As clause
  Returns,       ///< before a Function's return type
  UnknownReturn, ///< the whole text of the line of a Function without As
};
inline constexpr std::size_t kHeaderLabelCount = 9;

/// A set of label texts, indexed by HeaderLabel.
using HeaderLabels = std::array<std::u16string_view, kHeaderLabelCount>;

/// Simplified Chinese: the built-in labels.
inline constexpr HeaderLabels kSimplifiedChineseLabels = {
    u" 过程名称：", u" 函数名称：",  u" 参数：",     u" 参数： 无",        u" 为",
    u"型",          u"  类型不确定", u" 返回类型：", u" 返回类型： 不确定"};

/// Traditional Chinese, every character in Big5 (CP950).
inline constexpr HeaderLabels kTraditionalChineseLabels = {
    u" 過程名稱：", u" 函數名稱：",  u" 參數：",     u" 參數： 無",        u" 為",
    u"型",          u"  類型不確定", u" 返回類型：", u" 返回類型： 不確定"};

/// Japanese, every character in Shift-JIS (CP932).
inline constexpr HeaderLabels kJapaneseLabels = {
    u" プロシージャ名：", u" 関数名：",     u" 引数：",           u" 引数： なし", u" の型は ", u"",
    u"  型不明",          u" 戻り値の型：", u" 戻り値の型： 不明"};

/// English, in ASCII.
inline constexpr HeaderLabels kEnglishLabels = {
    u" Sub: ", u" Function: ",      u" Parameter: ", u" Parameters: none", u" As ",
    u"",       u"  (type unknown)", u" Returns: ",   u" Returns: unknown"};

/// The labels of `language`.
constexpr const HeaderLabels& LabelsFor(LabelLanguage language) {
  switch (language) {
  case LabelLanguage::TraditionalChinese:
    return kTraditionalChineseLabels;
  case LabelLanguage::Japanese:
    return kJapaneseLabels;
  case LabelLanguage::English:
    return kEnglishLabels;
  case LabelLanguage::SimplifiedChinese:
    break;
  }
  return kSimplifiedChineseLabels;
}

} // namespace qf

namespace qf {

/// The labels that a file in `codePage` can hold: Simplified Chinese for
/// GBK (CP936, GB18030, GB2312), Traditional Chinese for Big5 (CP950),
/// Japanese for Shift-JIS (CP932, EUC-JP), English for every other.
LabelLanguage LabelsForCodePage(const CodePage& codePage);

} // namespace qf
