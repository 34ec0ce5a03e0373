#include "rewrite/own_block.h"

#include "rewrite/header_labels.h"
#include "settings/processing_settings.h"
#include "text/ascii.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace qf::own_block {
namespace {

using std::u16string_view;

constexpr const HeaderLabels* kAllLabels[] = {&kSimplifiedChineseLabels, &kTraditionalChineseLabels,
                                              &kJapaneseLabels, &kEnglishLabels};

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

bool HasBlank(u16string_view text) {
  return std::ranges::any_of(text, IsBlank);
}

/// Whether `text` repeats its first `period` characters throughout.
bool Repeats(u16string_view text, std::size_t period) {
  for (std::size_t i = period; i < text.size(); ++i)
    if (text[i] != text[i - period])
      return false;
  return true;
}

/// Whether `text` is a unit of at most kMaxSeparatorLength characters repeated.
bool IsRepeatedUnit(u16string_view text) {
  for (std::size_t period = 1; period <= kMaxSeparatorLength; ++period)
    if (Repeats(text, period))
      return true;
  return false;
}

/// Whether `text` is the label `label` as a code page wrote it: a "?" stands
/// for a character outside ASCII that it could not hold.
bool IsLabel(u16string_view text, u16string_view label) {
  return text.size() == label.size() &&
         std::equal(text.begin(), text.end(), label.begin(),
                    [](char16_t t, char16_t l) { return t == l || (t == u'?' && l > 0x7F); });
}

/// If `text` begins with `label`, takes it off and returns true.
bool TakeLabel(u16string_view& text, u16string_view label) {
  if (text.size() < label.size() || !IsLabel(text.substr(0, label.size()), label))
    return false;
  text.remove_prefix(label.size());
  return true;
}

bool EndsWithLabel(u16string_view text, u16string_view label) {
  return text.size() >= label.size() && IsLabel(text.substr(text.size() - label.size()), label);
}

/// The words after a label: one name or type, without blanks.
bool IsWord(u16string_view text) {
  return !text.empty() && !HasBlank(text);
}

/// A parameter's line after its label: "<name><TypeBefore><type><TypeAfter>"
/// or "<name><UnknownType>".
bool IsParameter(u16string_view text, const HeaderLabels& labels) {
  const auto label = [&labels](HeaderLabel which) {
    return labels[static_cast<std::size_t>(which)];
  };
  const std::size_t blank = std::ranges::find_if(text, IsBlank) - text.begin();
  if (blank == 0)
    return false;
  u16string_view rest = text.substr(blank);
  if (IsLabel(rest, label(HeaderLabel::UnknownType)))
    return true;
  if (!TakeLabel(rest, label(HeaderLabel::TypeBefore)) ||
      !EndsWithLabel(rest, label(HeaderLabel::TypeAfter)))
    return false;
  return IsWord(rest.substr(0, rest.size() - label(HeaderLabel::TypeAfter).size()));
}

/// A Function's return line after its label: the word As, blanks, one word.
bool IsReturnType(u16string_view text) {
  if (!ascii::StartsWithWord(text, u"AS"))
    return false;
  text.remove_prefix(2);
  if (text.empty() || !IsBlank(text.front()))
    return false;
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  return IsWord(text);
}

/// Whether the inner lines (their separator taken off) are a Sub's block
/// (`isSub`) or a Function's in `labels`. Both are asked: where a code page
/// wrote the labels' characters as "?", the two name labels can read alike.
bool IsOwnInner(std::span<const u16string_view> inner, const HeaderLabels& labels, bool isSub) {
  const auto label = [&labels](HeaderLabel which) {
    return labels[static_cast<std::size_t>(which)];
  };
  if (inner.size() < 2)
    return false;
  u16string_view name = inner.front();
  if (!TakeLabel(name, label(isSub ? HeaderLabel::SubName : HeaderLabel::FunctionName)) ||
      !IsWord(name))
    return false;
  std::span<const u16string_view> rest = inner.subspan(1);
  if (!isSub) {
    u16string_view last = rest.back();
    if (!IsLabel(last, label(HeaderLabel::UnknownReturn)) &&
        !(TakeLabel(last, label(HeaderLabel::Returns)) && IsReturnType(last)))
      return false;
    rest = rest.first(rest.size() - 1);
  }
  if (rest.size() == 1 && IsLabel(rest.front(), label(HeaderLabel::NoParameters)))
    return true;
  return !rest.empty() && std::ranges::all_of(rest, [&](u16string_view line) {
    return TakeLabel(line, label(HeaderLabel::Parameter)) && IsParameter(line, labels);
  });
}

/// The line without its comment mark and `separator`, if it begins with them.
std::optional<u16string_view> AfterSeparator(u16string_view line, u16string_view separator) {
  if (line.empty() || line.front() != u'\'' || !line.substr(1).starts_with(separator))
    return std::nullopt;
  return line.substr(1 + separator.size());
}

} // namespace

bool IsFrame(u16string_view line) {
  return line.size() == 1 + kSeparatorLineLength && line.front() == u'\'' &&
         IsRepeatedUnit(line.substr(1));
}

bool LooksInner(u16string_view line) {
  if (line.size() < 2 || line.front() != u'\'')
    return false;
  u16string_view rest = line.substr(1);
  if (rest.starts_with(u"##") && !rest.starts_with(u"###"))
    rest.remove_prefix(2);
  else if (rest.size() > kSeparatorUnitLength &&
           IsRepeatedUnit(rest.substr(0, kSeparatorUnitLength)))
    rest.remove_prefix(kSeparatorUnitLength);
  else
    return false;
  return std::ranges::any_of(kAllLabels, [rest](const HeaderLabels* labels) {
    return std::ranges::any_of(*labels, [rest](u16string_view label) {
      u16string_view text = rest;
      return !label.empty() && TakeLabel(text, label);
    });
  });
}

bool IsOwn(std::span<const std::u16string> lines) {
  if (lines.size() < 4 || !IsFrame(lines.front()) || lines.back() != lines.front())
    return false;
  const u16string_view frame = lines.front();
  const u16string_view separators[] = {u"##", frame.substr(1, kSeparatorUnitLength)};
  std::vector<u16string_view> inner(lines.size() - 2);
  for (const u16string_view separator : separators) {
    bool all = true;
    for (std::size_t i = 1; all && i + 1 < lines.size(); ++i) {
      const std::optional<u16string_view> text = AfterSeparator(lines[i], separator);
      all = text.has_value();
      if (all)
        inner[i - 1] = *text;
    }
    if (all && std::ranges::any_of(kAllLabels, [&inner](const HeaderLabels* labels) {
          return IsOwnInner(inner, *labels, true) || IsOwnInner(inner, *labels, false);
        }))
      return true;
  }
  return false;
}

Reading Read(std::span<const std::u16string> run) {
  if (run.size() >= 2 && IsFrame(run.back()))
    for (std::size_t start = run.size() - 1; start-- > 0;)
      if (IsFrame(run[start])) {
        if (IsOwn(run.subspan(start)))
          return {Verdict::Own, start};
        break;
      }
  const bool blockLike =
      std::ranges::any_of(run, [](const std::u16string& line) { return LooksInner(line); });
  return {blockLike ? Verdict::Persons : Verdict::Comments, 0};
}

} // namespace qf::own_block
