#include "text/decoded_line_reader.h"

#include "text/ascii.h"

namespace qf {

DecodedLineReader::DecodedLineReader(ByteSource& source, CodePage& codePage, std::string name)
    : lines_(source), codePage_(codePage), name_(std::move(name)) {}

bool DecodedLineReader::Next() {
  try {
    if (!lines_.Next(bytes_))
      return false;
  } catch (FailureError& error) {
    // The source knows the file, not the line: the one being read.
    Failure failure = error.Get();
    failure.File = name_;
    failure.Line = lines_.LineNumber() + 1;
    throw FailureError(std::move(failure));
  }
  ascii_ = codePage_.AsciiIsItself() && lines_.LineIsAscii();
  return true;
}

std::u16string_view DecodedLineReader::Decode(std::string_view part) {
  try {
    return codePage_.Decode(part, buffer_);
  } catch (const DecodeFault& fault) {
    Failure failure;
    failure.Kind = FailureKind::Decode;
    failure.File = name_;
    failure.Line = lines_.LineNumber();
    failure.Offset = lines_.LineOffset() + static_cast<std::uint64_t>(part.data() - bytes_.data()) +
                     fault.Offset();
    failure.Subject = fault.Bytes();
    failure.CodePage = fault.CodePageName();
    throw FailureError(std::move(failure));
  }
}

std::optional<std::u16string_view> DecodedLineReader::TryDecode(std::string_view part) {
  try {
    return codePage_.Decode(part, buffer_);
  } catch (const DecodeFault&) {
    return std::nullopt;
  }
}

void DecodedLineReader::Fail(FailureKind kind, std::string subject, std::string detail) const {
  Failure failure;
  failure.Kind = kind;
  failure.File = name_;
  failure.Line = lines_.LineNumber();
  failure.Subject = std::move(subject);
  failure.CodePage = codePage_.Name();
  failure.Detail = std::move(detail);
  throw FailureError(std::move(failure));
}

} // namespace qf
