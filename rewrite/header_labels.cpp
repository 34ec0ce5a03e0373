#include "rewrite/header_labels.h"

#include <map>
#include <string>

namespace qf {
namespace {

/// ICU's table name of each code page that a label language belongs to
/// (aliases can name different tables: Big5 and CP950 do).
std::map<std::string, LabelLanguage> TablesByLanguage() {
  struct Names {
    LabelLanguage Language;
    std::initializer_list<const char*> CodePages;
  };
  const Names all[] = {
      {LabelLanguage::SimplifiedChinese, {"CP936", "GB18030", "GB2312", "ibm-1386"}},
      {LabelLanguage::TraditionalChinese, {"CP950", "Big5", "Big5-HKSCS", "windows-950"}},
      {LabelLanguage::Japanese, {"CP932", "Shift_JIS", "EUC-JP"}},
  };
  std::map<std::string, LabelLanguage> tables;
  for (const Names& names : all)
    for (const char* name : names.CodePages) {
      try {
        tables.emplace(CodePage(name).TableName(), names.Language);
      } catch (const CodePageError&) {
        // Not in this ICU: no file is written in it either.
      }
    }
  return tables;
}

} // namespace

LabelLanguage LabelsForCodePage(const CodePage& codePage) {
  static const std::map<std::string, LabelLanguage> tables = TablesByLanguage();
  const auto it = tables.find(codePage.TableName());
  return it == tables.end() ? LabelLanguage::English : it->second;
}

} // namespace qf
