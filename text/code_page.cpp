#include "text/code_page.h"

#include "text/ascii.h"

#include <algorithm>
#include <cstdio>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <utility>

namespace qf {
namespace {

bool IsUsableType(UConverterType type) {
  switch (type) {
  case UCNV_SBCS:
  case UCNV_DBCS:
  case UCNV_MBCS:
  case UCNV_LATIN_1:
  case UCNV_US_ASCII:
  case UCNV_UTF8:
  case UCNV_CESU8:
    return true;
  default:
    return false;
  }
}

/// Writes "?" for every character that the code page cannot hold, as
/// Windows' own conversion does, and notes that it did.
void SubstituteQuestionMark(const void* context, UConverterFromUnicodeArgs* args,
                            const UChar* /*units*/, int32_t /*length*/, UChar32 /*codePoint*/,
                            UConverterCallbackReason reason, UErrorCode* error) {
  if (reason != UCNV_UNASSIGNED && reason != UCNV_ILLEGAL && reason != UCNV_IRREGULAR)
    return;
  *error = U_ZERO_ERROR;
  ucnv_cbFromUWriteBytes(args, "?", 1, 0, error);
  *static_cast<bool*>(const_cast<void*>(context)) = true;
}

std::string HexBytes(const char* bytes, int32_t length) {
  std::string text;
  for (int32_t i = 0; i < length; ++i) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%s0x%02X", i == 0 ? "" : " ",
                  static_cast<unsigned char>(bytes[i]));
    text += buffer;
  }
  return text;
}

} // namespace

DecodeFault::DecodeFault(std::string bytes, std::string codePage, std::size_t offset)
    : std::runtime_error("the bytes " + bytes + " do not decode in code page " + codePage),
      bytes_(std::move(bytes)), codePage_(std::move(codePage)), offset_(offset) {}

CodePage::CodePage(std::string_view name) : name_(name) {
  if (name_.empty())
    throw CodePageError("the code page name is empty");
  UErrorCode error = U_ZERO_ERROR;
  converter_ = ucnv_open(name_.c_str(), &error);
  if (U_FAILURE(error) || converter_ == nullptr) {
    converter_ = nullptr;
    throw CodePageError("unknown code page '" + name_ + "'");
  }
  tableName_ = ucnv_getName(converter_, &error);
  ucnv_setToUCallBack(converter_, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
  try {
    Validate();
  } catch (...) {
    ucnv_close(converter_);
    throw;
  }
}

std::string CodePage::CanonicalName() const {
  if (tableName_ == "UTF-8")
    return tableName_;
  for (const char* standard : {"WINDOWS", "IANA"}) {
    UErrorCode error = U_ZERO_ERROR;
    const char* name = ucnv_getStandardName(tableName_.c_str(), standard, &error);
    if (U_SUCCESS(error) && name != nullptr)
      return name;
  }
  return tableName_;
}

CodePage::~CodePage() {
  if (converter_ != nullptr)
    ucnv_close(converter_);
}

CodePage::CodePage(CodePage&& other) noexcept
    : name_(std::move(other.name_)), tableName_(std::move(other.tableName_)),
      converter_(std::exchange(other.converter_, nullptr)), asciiIdentity_(other.asciiIdentity_),
      allAsciiIdentity_(other.allAsciiIdentity_), substituted_(other.substituted_) {}

CodePage& CodePage::operator=(CodePage&& other) noexcept {
  if (this != &other) {
    if (converter_ != nullptr)
      ucnv_close(converter_);
    name_ = std::move(other.name_);
    tableName_ = std::move(other.tableName_);
    converter_ = std::exchange(other.converter_, nullptr);
    asciiIdentity_ = other.asciiIdentity_;
    allAsciiIdentity_ = other.allAsciiIdentity_;
    substituted_ = other.substituted_;
  }
  return *this;
}

void CodePage::Validate() {
  if (!IsUsableType(ucnv_getType(converter_)))
    throw CodePageError("code page '" + name_ + "' (" + tableName_ +
                        ") cannot be used: ASCII text is not written as single bytes in it");
  allAsciiIdentity_ = true;
  for (int byte = 0; byte < 128; ++byte) {
    asciiIdentity_[static_cast<std::size_t>(byte)] = DecodesToItself(static_cast<char>(byte));
    allAsciiIdentity_ = allAsciiIdentity_ && asciiIdentity_[static_cast<std::size_t>(byte)];
  }
  // The characters that the rewrite finds, splits or trims on raw bytes.
  static constexpr std::string_view kStructural =
      "\r\n _'\"(),=;ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  for (char ch : kStructural) {
    if (!asciiIdentity_[static_cast<unsigned char>(ch)] ||
        !EncodesToItself(static_cast<char16_t>(ch)))
      throw CodePageError("code page '" + name_ + "' (" + tableName_ +
                          ") cannot be used: it does not write ASCII characters as themselves");
  }
}

bool CodePage::DecodesToItself(char byte) {
  UChar out[4];
  UErrorCode error = U_ZERO_ERROR;
  ucnv_resetToUnicode(converter_);
  const int32_t length = ucnv_toUChars(converter_, out, 4, &byte, 1, &error);
  return U_SUCCESS(error) && length == 1 && out[0] == static_cast<unsigned char>(byte);
}

bool CodePage::EncodesToItself(char16_t ch) {
  char out[8];
  UErrorCode error = U_ZERO_ERROR;
  ucnv_resetFromUnicode(converter_);
  ucnv_setFromUCallBack(converter_, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
  const UChar in = ch;
  const int32_t length = ucnv_fromUChars(converter_, out, 8, &in, 1, &error);
  return U_SUCCESS(error) && length == 1 && out[0] == static_cast<char>(ch);
}

std::u16string_view CodePage::Decode(std::string_view bytes, std::u16string& buffer) {
  // A byte gives at most one UTF-16 unit in the usable code pages (a table
  // that maps one byte to two makes the buffer grow below).
  if (buffer.size() < bytes.size() + 1)
    buffer.resize(std::max(bytes.size() + 1, std::min(2 * buffer.size(), 2 * bytes.size() + 2)));
  // Most lines of real code are plain ASCII: widen them without ICU.
  if (allAsciiIdentity_ && ascii::WidenIfAscii(bytes, buffer.data()))
    return {buffer.data(), bytes.size()};
  ucnv_resetToUnicode(converter_);
  const char* source = bytes.data();
  std::size_t written = 0;
  for (;;) {
    UChar* target = buffer.data() + written;
    UErrorCode error = U_ZERO_ERROR;
    ucnv_toUnicode(converter_, &target, buffer.data() + buffer.size(), &source,
                   bytes.data() + bytes.size(), nullptr, /*flush=*/true, &error);
    written = static_cast<std::size_t>(target - buffer.data());
    if (error != U_BUFFER_OVERFLOW_ERROR) {
      if (U_FAILURE(error))
        ThrowDecodeFault(bytes, source);
      return {buffer.data(), written};
    }
    buffer.resize(2 * buffer.size());
  }
}

void CodePage::ThrowDecodeFault(std::string_view bytes, const char* stop) {
  char invalid[32];
  int8_t length = sizeof invalid;
  UErrorCode error = U_ZERO_ERROR;
  ucnv_getInvalidChars(converter_, invalid, &length, &error);
  if (U_FAILURE(error))
    length = 0;
  const auto offset =
      static_cast<std::size_t>(stop - bytes.data()) - static_cast<std::size_t>(length);
  throw DecodeFault(HexBytes(invalid, length), name_, offset);
}

void CodePage::Encode(std::u16string_view text, std::string& out) {
  UErrorCode error = U_ZERO_ERROR;
  ucnv_resetFromUnicode(converter_);
  ucnv_setFromUCallBack(converter_, SubstituteQuestionMark, &substituted_, nullptr, nullptr,
                        &error);
  const UChar* source = text.data();
  const UChar* const sourceEnd = text.data() + text.size();
  char buffer[1024];
  do {
    char* target = buffer;
    error = U_ZERO_ERROR;
    ucnv_fromUnicode(converter_, &target, buffer + sizeof buffer, &source, sourceEnd, nullptr,
                     /*flush=*/true, &error);
    out.append(buffer, static_cast<std::size_t>(target - buffer));
  } while (error == U_BUFFER_OVERFLOW_ERROR);
}

} // namespace qf
