#pragma once

// The words the module generator builds its text from.

#include <array>
#include <string_view>

namespace qf::bench::vocabulary {

/// Chinese phrases as their GBK bytes; the benchmarks read them in CP936.
inline constexpr std::array<std::string_view, 12> kGbkPhrases = {
    "\xD6\xD0\xCE\xC4\xD7\xA2\xCA\xCD",                                 // 中文注释
    "\xB3\xF5\xCA\xBC\xBB\xAF\xB4\xB0\xCC\xE5",                         // 初始化窗体
    "\xBC\xEC\xB2\xE9\xCA\xE4\xC8\xEB\xB2\xCE\xCA\xFD",                 // 检查输入参数
    "\xB1\xA3\xB4\xE6\xCA\xFD\xBE\xDD\xB5\xBD\xCA\xFD\xBE\xDD\xBF\xE2", // 保存数据到数据库
    "\xBC\xC6\xCB\xE3\xD7\xDC\xBD\xF0\xB6\xEE",                         // 计算总金额
    "\xD1\xAD\xBB\xB7\xB4\xA6\xC0\xED\xC3\xBF\xD2\xBB\xCC\xF5\xBC\xC7\xC2\xBC", // 循环处理每一条记录
    "\xB4\xED\xCE\xF3\xB4\xA6\xC0\xED",                                         // 错误处理
    "\xCA\xCD\xB7\xC5\xB6\xD4\xCF\xF3",                                         // 释放对象
    "\xD3\xC3\xBB\xA7\xC8\xA1\xCF\xFB\xC1\xCB\xB2\xD9\xD7\xF7", // 用户取消了操作
    "\xB2\xD9\xD7\xF7\xCD\xEA\xB3\xC9",                         // 操作完成
    "\xB6\xC1\xC8\xA1\xC5\xE4\xD6\xC3\xCE\xC4\xBC\xFE",         // 读取配置文件
    "\xB8\xFC\xD0\xC2\xBD\xE7\xC3\xE6\xCF\xD4\xCA\xBE",         // 更新界面显示
};

inline constexpr std::array<std::string_view, 3> kGbkCaptions = {
    "\xC8\xB7\xB6\xA8",         // 确定
    "\xC8\xA1\xCF\xFB",         // 取消
    "\xD6\xF7\xB4\xB0\xCC\xE5", // 主窗体
};

inline constexpr std::array<std::string_view, 10> kComments = {
    "Check the input before the database is touched",
    "Refresh the grid after every change",
    "TODO: handle an empty recordset",
    "Keep the old value for Undo",
    "Called from the timer as well",
    "Do not change the order: the report relies on it",
    "Workaround for the printer driver",
    "Values come from the settings file",
    "-------------------------------------------",
    "Returns False when the user cancels",
};

inline constexpr std::array<std::string_view, 10> kVerbs = {
    "Load", "Save", "Refresh", "Validate", "Calc", "Update", "Build", "Find", "Print", "Export"};
inline constexpr std::array<std::string_view, 9> kNouns = {
    "Customer", "Order", "Invoice", "Grid", "Report", "Settings", "Item", "Total", "Status"};

/// A VB6 type with the prefix of its variables' names and a default value
/// for an Optional parameter.
struct TypeWord {
  std::string_view Name;
  std::string_view Prefix;
  std::string_view Default;
};

inline constexpr std::array<TypeWord, 8> kTypes = {{
    {"Long", "lng", "0"},
    {"String", "str", "\"\""},
    {"Integer", "int", "0"},
    {"Boolean", "bln", "False"},
    {"Currency", "cur", "0"},
    {"Double", "dbl", "0"},
    {"Variant", "var", "0"},
    {"Date", "dat", "#1/1/2000#"},
}};

inline constexpr std::array<std::string_view, 6> kControls = {
    "VB.CommandButton", "VB.TextBox", "VB.Label", "VB.CheckBox", "VB.ComboBox", "VB.ListBox"};

inline constexpr std::array<std::string_view, 8> kConditions = {
    "lngIndex > 0",
    "Len(strText) = 0",
    "Not rsData.EOF",
    "blnDirty",
    "chkActive.Value = vbChecked",
    "IsNull(varValue)",
    "lngCount >= MAX_ROWS",
    "strMode = \"edit\"",
};

inline constexpr std::array<std::string_view, 12> kStatements = {
    "lngTotal = lngTotal + lngIndex * 2",
    "strText = Trim$(txtName.Text) & \" (\" & CStr(lngIndex) & \")\"",
    "Call RefreshGrid(lngIndex, True)",
    "Set rsData = Nothing",
    "Debug.Print \"Index: \"; lngIndex",
    "DoEvents",
    "lblStatus.Caption = \"Ready\"",
    "ReDim Preserve arrItems(lngCount)",
    "dblRate = CDbl(txtRate.Text) / 100#",
    "colItems.Add strText, CStr(lngIndex)",
    "cmdOk.Enabled = (Len(txtName.Text) > 0)",
    "lngCount = lngCount + 1",
};

inline constexpr std::array<std::string_view, 5> kLocals = {
    "Dim lngIndex As Long", "Dim strText As String", "Dim rsData As ADODB.Recordset",
    "Dim colItems As New Collection", "Dim varValue As Variant"};

} // namespace qf::bench::vocabulary
