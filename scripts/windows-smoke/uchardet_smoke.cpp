// uchardet from the dependency cache, found through pkg-config or
// find_library: a Chinese sentence in GBK is told as GB18030, the same in
// UTF-8 as UTF-8. Exit status 0 only when both are.
#include <uchardet.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool Detects(const char* bytes, const char* expected) {
  uchardet_t detector = uchardet_new();
  uchardet_handle_data(detector, bytes, std::strlen(bytes));
  uchardet_data_end(detector);
  const std::string found = uchardet_get_charset(detector);
  uchardet_delete(detector);
  const bool ok = found == expected;
  std::printf("%s %s, expected %s\n", ok ? "ok  " : "FAIL", found.c_str(), expected);
  return ok;
}

} // namespace

int main() {
  // "这是一个用于检测编码的中文句子，其中包含足够多的常用汉字，以便检测程序能够做出可靠的判断。"
  const char* gbk =
      "\xD5\xE2\xCA\xC7\xD2\xBB\xB8\xF6\xD3\xC3\xD3\xDA\xBC\xEC\xB2\xE2\xB1\xE0\xC2\xEB\xB5\xC4"
      "\xD6\xD0\xCE\xC4\xBE\xE4\xD7\xD3\xA3\xAC\xC6\xE4\xD6\xD0\xB0\xFC\xBA\xAC\xD7\xE3\xB9\xBB"
      "\xB6\xE0\xB5\xC4\xB3\xA3\xD3\xC3\xBA\xBA\xD7\xD6\xA3\xAC\xD2\xD4\xB1\xE3\xBC\xEC\xB2\xE2"
      "\xB3\xCC\xD0\xF2\xC4\xDC\xB9\xBB\xD7\xF6\xB3\xF6\xBF\xC9\xBF\xBF\xB5\xC4\xC5\xD0\xB6\xCF"
      "\xA1\xA3";
  const char* utf8 = "这是一个用于检测编码的中文句子，其中包含足够多的常用汉字。";
  const bool gbkOk = Detects(gbk, "GB18030");
  const bool utf8Ok = Detects(utf8, "UTF-8");
  return gbkOk && utf8Ok ? 0 : 1;
}
