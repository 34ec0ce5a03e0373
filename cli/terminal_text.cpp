#include "cli/terminal_text.h"

namespace qf::cli {
namespace {

void AppendHex(std::string& out, std::uint32_t value) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  out += "\\x";
  out += kDigits[(value >> 4) & 0xF];
  out += kDigits[value & 0xF];
}

} // namespace

Utf8Character FirstCharacter(std::string_view text) {
  const auto at = [text](std::size_t i) -> std::uint32_t {
    return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
  };
  const std::uint32_t lead = at(0);
  if (lead < 0x80)
    return {1, static_cast<std::int32_t>(lead)};
  // The sequence's length and the bounds of its second byte, after
  // Unicode's table of well-formed UTF-8: no overlong form, no surrogate,
  // nothing above U+10FFFF.
  std::size_t length = 4;
  std::uint32_t low = lead == 0xF0 ? 0x90 : 0x80;
  std::uint32_t high = lead == 0xF4 ? 0x8F : 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead < 0xF0 || lead > 0xF4) {
    return {};
  }
  if (at(1) < low || at(1) > high)
    return {};
  std::uint32_t codePoint = lead & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((at(i) & 0xC0) != 0x80)
      return {};
    codePoint = (codePoint << 6) | (at(i) & 0x3F);
  }
  return {length, static_cast<std::int32_t>(codePoint)};
}

std::string TerminalText(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  while (!text.empty()) {
    const Utf8Character character = FirstCharacter(text);
    const std::string_view bytes = text.substr(0, character.Length);
    text.remove_prefix(character.Length);
    if (!character.IsControl())
      shown += bytes;
    else if (character.CodePoint >= 0)
      AppendHex(shown, static_cast<std::uint32_t>(character.CodePoint));
    else
      for (const char byte : bytes)
        AppendHex(shown, static_cast<unsigned char>(byte));
  }
  return shown;
}

} // namespace qf::cli
