#include "text/decoded_line_reader.h"

#include "io/io_failure.h"
#include "text/ascii.h"
#include "text/text_failure.h"

namespace qf {

DecodedLineReader::DecodedLineReader(ByteSource& source, CodePage& codePage, std::string name)
    : lines_(source), codePage_(codePage), name_(std::move(name)) {}

bool DecodedLineReader::Next() {
  try {
    if (!lines_.Next(bytes_))
      return false;
  } catch (const FailureError<IoFailure>& error) {
    // The source knows the file, not the line: the one being read.
    IoFailure failure = error.Get();
    failure.File = name_;
    failure.Line = lines_.LineNumber() + 1;
    Raise(std::move(failure));
  } catch (const FailureError<TextFailure>& error) {
    TextFailure failure = error.Get();
    failure.File = name_;
    if (failure.Kind != TextFailureKind::Utf16) // that concerns the whole file
      failure.Line = lines_.LineNumber() + 1;
    Raise(std::move(failure));
  }
  ascii_ = codePage_.AsciiIsItself() && lines_.LineIsAscii();
  return true;
}

std::u16string_view DecodedLineReader::Decode(std::string_view part) {
  try {
    return codePage_.Decode(part, buffer_);
  } catch (const DecodeFault& fault) {
    Raise(TextFailure{TextFailureKind::Decode, name_, lines_.LineNumber(),
                      lines_.LineOffset() +
                          static_cast<std::uint64_t>(part.data() - bytes_.data()) + fault.Offset(),
                      fault.Bytes(), fault.CodePageName()});
  }
}

std::optional<std::u16string_view> DecodedLineReader::TryDecode(std::string_view part) {
  try {
    return codePage_.Decode(part, buffer_);
  } catch (const DecodeFault&) {
    return std::nullopt;
  }
}

} // namespace qf
