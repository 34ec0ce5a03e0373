#include "processing/project_file.h"

#include "io/utf.h"
#include "processing/project_failure.h"
#include "processing/project_paths.h"
#include "text/ascii.h"
#include "text/decoded_line_reader.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace qf {
namespace {

using std::u16string_view;

u16string_view Trim(u16string_view text) {
  return ascii::TrimSpaces(text);
}

/// The trimmed value without its double quotes, where it has them at both
/// ends; otherwise the trimmed value as it is.
std::u16string Unquoted(u16string_view value) {
  value = Trim(value);
  if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
    value = value.substr(1, value.size() - 2);
  return std::u16string(value);
}

/// The project's properties that the run reads; the file keys come from
/// the kinds table.
enum class Property { Type, Startup, Name, MajorVer, MinorVer, RevisionVer, VersionCompanyName };

struct PropertyKey {
  u16string_view Name;
  Property Which;
};

constexpr PropertyKey kPropertyKeys[] = {{u"TYPE", Property::Type},
                                         {u"STARTUP", Property::Startup},
                                         {u"NAME", Property::Name},
                                         {u"MAJORVER", Property::MajorVer},
                                         {u"MINORVER", Property::MinorVer},
                                         {u"REVISIONVER", Property::RevisionVer},
                                         {u"VERSIONCOMPANYNAME", Property::VersionCompanyName}};

/// What a line's key names: a kind of file, a property, or nothing the run reads.
struct Key {
  std::optional<FileKind> Kind;
  std::optional<Property> Which;
  bool Known() const { return Kind || Which; }
};

/// Whether `text`, whatever its letter case, is `name`.
template <typename Char> bool Names(std::basic_string_view<Char> text, u16string_view name) {
  return text.size() == name.size() &&
         std::equal(text.begin(), text.end(), name.begin(),
                    [](Char c, char16_t upper) { return ascii::Upper(c) == upper; });
}

/// The key that `text` (trimmed) names as a whole, whatever its letter case.
template <typename Char> Key KeyOf(std::basic_string_view<Char> text) {
  for (const FileKindInfo& kind : kFileKinds)
    if (Names(text, kind.Key))
      return {kind.Kind, {}};
  for (const PropertyKey& property : kPropertyKeys)
    if (Names(text, property.Name))
      return {{}, property.Which};
  return {};
}

/// The text of a line before its first "=", trimmed: its key.
template <typename Char> std::basic_string_view<Char> KeyText(std::basic_string_view<Char> line) {
  const std::size_t equals = line.find(Char('='));
  return equals == std::basic_string_view<Char>::npos ? std::basic_string_view<Char>{}
                                                      : ascii::TrimSpaces(line.substr(0, equals));
}

class ProjectReader {
public:
  ProjectReader(DecodedLineReader& lines, u16string_view folder) : lines_(lines), folder_(folder) {}

  void Take(u16string_view line);
  ProjectContents Result() { return std::move(contents_); }

private:
  void TakeProperty(Property which, u16string_view value);
  void AddFile(FileKind kind, u16string_view line, u16string_view value);
  [[noreturn]] void Fail(ProjectFailureKind kind, u16string_view line,
                         std::optional<FileKind> of = std::nullopt) const {
    Raise(ProjectFailure{kind, lines_.Name(), lines_.LineNumber(), Utf16ToUtf8(line), of});
  }

  DecodedLineReader& lines_;
  u16string_view folder_;
  ProjectContents contents_;
};

void ProjectReader::Take(u16string_view line) {
  const std::size_t equals = line.find(u'=');
  if (equals == u16string_view::npos)
    return;
  const Key key = KeyOf(KeyText(line));
  const u16string_view value = line.substr(equals + 1);
  if (key.Kind)
    AddFile(*key.Kind, line, value);
  else if (key.Which)
    TakeProperty(*key.Which, value);
}

void ProjectReader::TakeProperty(Property which, u16string_view value) {
  ProjectInfo& info = contents_.Info;
  switch (which) {
  case Property::Type:
    info.ProgramType = ProgramTypeOf(value);
    return;
  case Property::Startup:
    info.StartupObject = Unquoted(value);
    return;
  case Property::Name:
    info.ProjectName = Unquoted(value);
    return;
  case Property::MajorVer:
    info.MajorVersion = Trim(value);
    return;
  case Property::MinorVer:
    info.MinorVersion = Trim(value);
    return;
  case Property::RevisionVer:
    info.RevisionVersion = Trim(value);
    return;
  case Property::VersionCompanyName:
    info.CompanyName = Unquoted(value);
    return;
  }
}

/// A file entry: "file", or for named kinds "name; file" with the name kept
/// as written up to the first ";".
void ProjectReader::AddFile(FileKind kind, u16string_view line, u16string_view value) {
  const FileKindInfo& info = InfoOf(kind);
  std::u16string name;
  u16string_view file = value;
  if (info.Named) {
    const std::size_t semicolon = value.find(u';');
    if (semicolon == u16string_view::npos)
      Fail(ProjectFailureKind::EntryWithoutName, line);
    name = value.substr(0, semicolon);
    file = value.substr(semicolon + 1);
  }
  file = Trim(file);
  if (file.empty())
    Fail(ProjectFailureKind::EntryWithoutFile, line);
  std::vector<SourceFileEntry>& list = contents_.Entries(kind);
  if (list.size() == kMaxEntriesPerKind)
    Fail(ProjectFailureKind::TooManyEntries, line, kind);
  list.push_back({std::move(name), LocationOf(folder_, file)});
}

} // namespace

std::u16string ProgramTypeOf(u16string_view value) {
  const u16string_view trimmed = Trim(value);
  if (ascii::Is(trimmed, u"EXE") || ascii::Is(trimmed, u"OLEEXE"))
    return u"Exe";
  if (ascii::Is(trimmed, u"OLEDLL"))
    return u"Dll";
  if (ascii::Is(trimmed, u"CONTROL"))
    return u"Ocx";
  return std::u16string(value.substr(value.size() < 3 ? 0 : value.size() - 3));
}

ProjectContents ReadProjectFile(ByteSource& source, const std::string& name, CodePage& codePage,
                                u16string_view projectFolder) {
  DecodedLineReader lines(source, codePage, name);
  ProjectReader project(lines, projectFolder);
  while (lines.Next()) {
    const std::optional<u16string_view> text = lines.TryDecode(lines.Bytes());
    if (text)
      project.Take(*text);
    else if (KeyOf(KeyText(lines.Bytes())).Known())
      lines.Decode(lines.Bytes()); // raises: a line the run reads must decode
    // Settings the run does not read may carry any bytes.
  }
  return project.Result();
}

} // namespace qf
