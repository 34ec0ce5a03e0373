#include "packaging/windows/path_list.h"

#include <vector>

namespace qf::setup {
namespace {

/// Where an entry lies in the value: [Begin, End), quotes included.
struct Span {
  std::size_t Begin;
  std::size_t End;
};

std::vector<Span> Entries(std::wstring_view path) {
  std::vector<Span> spans;
  std::size_t begin = 0;
  bool quoted = false;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || (path[i] == L';' && !quoted)) {
      spans.push_back({begin, i});
      begin = i + 1;
    } else if (path[i] == L'"') {
      quoted = !quoted;
    }
  }
  return spans;
}

/// The entry as a name: without its quotes, without one "\" at the end.
std::wstring Name(std::wstring_view entry) {
  std::wstring name;
  for (const wchar_t c : entry)
    if (c != L'"')
      name += (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
  if (name.size() > 1 && name.back() == L'\\')
    name.pop_back();
  return name;
}

std::optional<Span> Find(std::wstring_view path, std::wstring_view entry) {
  const std::wstring wanted = Name(entry);
  for (const Span& span : Entries(path))
    if (span.End > span.Begin && Name(path.substr(span.Begin, span.End - span.Begin)) == wanted)
      return span;
  return std::nullopt;
}

} // namespace

std::optional<std::wstring> WithEntry(std::wstring_view path, std::wstring_view entry) {
  if (Find(path, entry))
    return std::nullopt;
  std::wstring written(entry);
  if (written.find(L';') != std::wstring::npos)
    written = L'"' + written + L'"';
  // Always a separator of its own, even after a ";" that ends the value:
  // WithoutEntry takes exactly it out again.
  return path.empty() ? written : std::wstring(path) + L';' + written;
}

std::optional<std::wstring> WithoutEntry(std::wstring_view path, std::wstring_view entry) {
  const std::optional<Span> found = Find(path, entry);
  if (!found)
    return std::nullopt;
  Span cut = *found;
  // The separator before the entry, else the one after it: what WithEntry
  // put in front of it goes with it.
  if (cut.Begin > 0)
    --cut.Begin;
  else if (cut.End < path.size())
    ++cut.End;
  std::wstring result(path.substr(0, cut.Begin));
  result += path.substr(cut.End);
  return result;
}

} // namespace qf::setup
