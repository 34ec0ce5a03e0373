#pragma once

#include "processing/failure.h"

#include <string>

namespace qf {

/// The failure in Chinese, for the report's interruption line and the
/// window: what failed, "：", the file, " 第N行" where a line applies, and
/// its particulars (the system's own words as the system gives them) in
/// parentheses:
///
///   无法打开文件：C:\demo\modGone.bas（No such file or directory）
///   文本解码失败：C:\demo\modA.bas 第5行（字节 0x81 不能按代码页 CP936 解码，位于文件第 53 字节）
///
/// The report's and the window's one renderer of failures; its texts are
/// the table in failure_chinese.cpp.
std::u16string DescribeInChinese(const Failure& failure);

} // namespace qf
