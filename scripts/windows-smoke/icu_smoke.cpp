// Decodes legacy code pages strictly with ICU's converters (stop at the
// first byte that does not decode) and prints what came out. Exit status 0
// only when every case gives exactly what is expected.
#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/uclean.h>
#include <unicode/ustring.h>

#include <cstdio>
#include <string>

namespace {

struct Decoded {
  std::string converter;  // ICU's name for the converter the alias chose
  std::u16string text;
  UErrorCode error = U_ZERO_ERROR;
  long bad_offset = -1;  // where the first bad byte sequence starts
  std::string bad_bytes;
};

Decoded decode(const char* charset, const std::string& bytes) {
  Decoded out;
  UErrorCode status = U_ZERO_ERROR;
  UConverter* converter = ucnv_open(charset, &status);
  if (U_FAILURE(status)) {
    out.error = status;
    return out;
  }
  UErrorCode name_status = U_ZERO_ERROR;
  out.converter = ucnv_getName(converter, &name_status);
  ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  std::u16string buffer(bytes.size() * 2 + 4, u'\0');
  UChar* target = buffer.data();
  const char* source = bytes.data();
  ucnv_toUnicode(converter, &target, buffer.data() + buffer.size(), &source,
                 bytes.data() + bytes.size(), nullptr, true, &status);
  buffer.resize(static_cast<size_t>(target - buffer.data()));
  out.text = buffer;
  out.error = status;
  if (U_FAILURE(status)) {
    char bad[32];
    int8_t length = sizeof bad;
    UErrorCode ignored = U_ZERO_ERROR;
    ucnv_getInvalidChars(converter, bad, &length, &ignored);
    out.bad_bytes.assign(bad, static_cast<size_t>(length));
    out.bad_offset = static_cast<long>(source - bytes.data()) - length;
  }
  ucnv_close(converter);
  return out;
}

std::string utf8(const std::u16string& text) {
  std::string out(text.size() * 3 + 1, '\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &length, text.data(),
              static_cast<int32_t>(text.size()), &status);
  out.resize(U_SUCCESS(status) ? static_cast<size_t>(length) : 0);
  return out;
}

std::string hex(const std::string& bytes) {
  std::string out;
  char part[4];
  for (unsigned char byte : bytes) {
    std::snprintf(part, sizeof part, "%s%02X", out.empty() ? "" : " ", byte);
    out += part;
  }
  return out;
}

int failures = 0;
int cases = 0;

void expect_text(const char* charset, const std::string& bytes, const std::u16string& expected) {
  Decoded got = decode(charset, bytes);
  bool ok = U_SUCCESS(got.error) && got.text == expected;
  std::printf("%-4s %-12s (%s) [%s] -> \"%s\" %s\n", ok ? "ok" : "FAIL", charset,
              got.converter.c_str(), hex(bytes).c_str(), utf8(got.text).c_str(),
              u_errorName(got.error));
  failures += ok ? 0 : 1;
  ++cases;
}

void expect_invalid(const char* charset, const std::string& bytes, long offset) {
  Decoded got = decode(charset, bytes);
  bool ok = U_FAILURE(got.error) && got.bad_offset == offset;
  std::printf("%-4s %-12s (%s) [%s] -> %s, bad bytes [%s] at offset %ld (decoded so far \"%s\")\n",
              ok ? "ok" : "FAIL", charset, got.converter.c_str(), hex(bytes).c_str(),
              u_errorName(got.error),
              hex(got.bad_bytes).c_str(), got.bad_offset, utf8(got.text).c_str());
  failures += ok ? 0 : 1;
  ++cases;
}

}  // namespace

int main() {
  UErrorCode status = U_ZERO_ERROR;
  u_init(&status);
  std::printf("ICU %s, %d converters, data %s\n", U_ICU_VERSION, ucnv_countAvailable(),
              u_errorName(status));
  // The data holds only the converters the programs use
  // (scripts/windows_icu_data.txt), among them those of the cases below.
  if (U_FAILURE(status)) {
    std::printf("FAIL ICU did not start\n");
    return 1;
  }

  expect_text("GBK", "\xD6\xD0\xCE\xC4\xB2\xE2\xCA\xD4", u"中文测试");
  expect_text("Big5", "\xA4\xA4\xA4\xE5\xB4\xFA\xB8\xD5", u"中文測試");
  expect_text("Shift_JIS", "\x93\xFA\x96\x7B\x8C\xEA\xB1\xB2", u"日本語ｱｲ");
  expect_text("windows-1252", "Caf\xE9 \x80 \x96 \x9C", u"Café € – œ");
  expect_text("GBK", "Dim s As String", u"Dim s As String");

  // Strict: the first byte sequence that is not in the code page stops the
  // decoding and is reported with its place.
  expect_invalid("GBK", std::string("\xD6\xD0\x81\x20\xCE\xC4", 6), 2);  // bad trail byte
  expect_invalid("Big5", std::string("\xA4\xA4\xA4", 3), 2);  // cut in the middle
  expect_invalid("Shift_JIS", std::string("ab\x81\x20", 4), 2);
  expect_invalid("Shift_JIS", std::string("\xA0", 1), 0);
  // ICU's windows-1252 maps the five bytes the code page leaves undefined
  // (81 8D 8F 90 9D) to C1 controls: no byte of it is ever invalid.
  expect_text("windows-1252", std::string("ok\x81\x9D", 4), u"ok\x81\x9D");

  std::printf("%d passed, %d failed\n", cases - failures, failures);
  return failures == 0 ? 0 : 1;
}
