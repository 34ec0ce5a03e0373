#include "processing/project_file.h"

#include "processing/project_paths.h"
#include "rewrite/keywords.h"
#include "text/line_reader.h"
#include "text/utf.h"

#include <algorithm>
#include <iterator>

namespace qf {
namespace {

using std::u16string_view;

u16string_view Trim(u16string_view text) {
  return keywords::TrimSpaces(text);
}

/// The trimmed value without its double quotes, where it has them at both
/// ends; otherwise the trimmed value as it is.
std::u16string Unquoted(u16string_view value) {
  value = Trim(value);
  if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
    value = value.substr(1, value.size() - 2);
  return std::u16string(value);
}

/// The keys the run reads; every other setting is passed over.
enum class Key {
  Type,
  Form,
  Module,
  Class,
  UserControl,
  PropertyPage,
  Startup,
  Name,
  MajorVer,
  MinorVer,
  RevisionVer,
  VersionCompanyName,
  None
};

constexpr std::u16string_view kKeyNames[] = {
    u"TYPE",    u"FORM", u"MODULE",   u"CLASS",    u"USERCONTROL", u"PROPERTYPAGE",
    u"STARTUP", u"NAME", u"MAJORVER", u"MINORVER", u"REVISIONVER", u"VERSIONCOMPANYNAME"};

/// The key that `text` names as a whole, whatever its letter case.
Key KeyOf(u16string_view text) {
  for (std::size_t i = 0; i < std::size(kKeyNames); ++i) {
    const u16string_view name = kKeyNames[i];
    if (text.size() == name.size() &&
        std::equal(text.begin(), text.end(), name.begin(),
                   [](char16_t c, char16_t upper) { return keywords::UpperAscii(c) == upper; }))
      return static_cast<Key>(i);
  }
  return Key::None;
}

/// One line of the project file, cut into key and value.
class ProjectLine {
public:
  ProjectLine(u16string_view text, std::uint64_t number, const std::string& fileName)
      : text_(text), number_(number), fileName_(fileName) {
    const std::size_t equals = text.find(u'=');
    if (equals != u16string_view::npos) {
      key_ = Trim(text.substr(0, equals));
      value_ = text.substr(equals + 1);
    }
  }

  Key GetKey() const { return KeyOf(key_); }
  u16string_view Value() const { return value_; }

  [[noreturn]] void Fail(const std::string& why) const {
    throw SourceError(fileName_, number_,
                      "cannot read the entry \"" + Utf16ToUtf8(text_) + "\": " + why);
  }

private:
  u16string_view text_;
  u16string_view key_;
  u16string_view value_;
  std::uint64_t number_;
  const std::string& fileName_;
};

class ProjectReader {
public:
  explicit ProjectReader(u16string_view folder) : folder_(folder) {}

  void Take(const ProjectLine& line);
  ProjectContents Result() { return std::move(contents_); }

private:
  void AddFile(std::vector<SourceFileEntry>& list, const char* kind, const ProjectLine& line);
  void AddNamedFile(std::vector<SourceFileEntry>& list, const char* kind, const ProjectLine& line);
  void Add(std::vector<SourceFileEntry>& list, const char* kind, const ProjectLine& line,
           std::u16string name, u16string_view file);

  u16string_view folder_;
  ProjectContents contents_;
};

void ProjectReader::Take(const ProjectLine& line) {
  ProjectInfo& info = contents_.Info;
  const u16string_view value = line.Value();
  switch (line.GetKey()) {
  case Key::Type:
    info.ProgramType = ProgramTypeOf(value);
    break;
  case Key::Form:
    AddFile(contents_.FormFiles, "forms", line);
    break;
  case Key::Module:
    AddNamedFile(contents_.ModuleFiles, "modules", line);
    break;
  case Key::Class:
    AddNamedFile(contents_.ClassFiles, "class modules", line);
    break;
  case Key::UserControl:
    AddFile(contents_.UserControlFiles, "user controls", line);
    break;
  case Key::PropertyPage:
    AddFile(contents_.PropertyPageFiles, "property pages", line);
    break;
  case Key::Startup:
    info.StartupObject = Unquoted(value);
    break;
  case Key::Name:
    info.ProjectName = Unquoted(value);
    break;
  case Key::MajorVer:
    info.MajorVersion = Trim(value);
    break;
  case Key::MinorVer:
    info.MinorVersion = Trim(value);
    break;
  case Key::RevisionVer:
    info.RevisionVersion = Trim(value);
    break;
  case Key::VersionCompanyName:
    info.CompanyName = Unquoted(value);
    break;
  case Key::None:
    break;
  }
}

void ProjectReader::AddFile(std::vector<SourceFileEntry>& list, const char* kind,
                            const ProjectLine& line) {
  Add(list, kind, line, {}, Trim(line.Value()));
}

/// MODULE and CLASS: the name up to the first ";" (kept as written), the
/// file after it.
void ProjectReader::AddNamedFile(std::vector<SourceFileEntry>& list, const char* kind,
                                 const ProjectLine& line) {
  const u16string_view value = line.Value();
  const std::size_t semicolon = value.find(u';');
  if (semicolon == u16string_view::npos)
    line.Fail("no \";\" between the name and the file");
  Add(list, kind, line, std::u16string(value.substr(0, semicolon)),
      Trim(value.substr(semicolon + 1)));
}

void ProjectReader::Add(std::vector<SourceFileEntry>& list, const char* kind,
                        const ProjectLine& line, std::u16string name, u16string_view file) {
  if (file.empty())
    line.Fail("no file name");
  if (list.size() == kMaxEntriesPerKind)
    line.Fail(std::string("16-bit overflow: more than 32,766 ") + kind + " in one project");
  list.push_back({std::move(name), LocationOf(folder_, file)});
}

/// Whether the raw line's key (the text before "=") is one the run reads.
bool HasKnownKey(std::string_view bytes) {
  const std::size_t equals = bytes.find('=');
  if (equals == std::string_view::npos)
    return false;
  const std::string_view key = keywords::TrimSpaces(bytes.substr(0, equals));
  std::u16string wide;
  for (char byte : key)
    wide.push_back(static_cast<unsigned char>(byte));
  return KeyOf(wide) != Key::None;
}

} // namespace

std::u16string ProgramTypeOf(u16string_view value) {
  const u16string_view trimmed = Trim(value);
  if (keywords::Is(trimmed, u"EXE") || keywords::Is(trimmed, u"OLEEXE"))
    return u"Exe";
  if (keywords::Is(trimmed, u"OLEDLL"))
    return u"Dll";
  if (keywords::Is(trimmed, u"CONTROL"))
    return u"Ocx";
  return std::u16string(value.substr(value.size() < 3 ? 0 : value.size() - 3));
}

ProjectContents ReadProjectFile(ByteSource& source, const std::string& name, CodePage& codePage,
                                u16string_view projectFolder) {
  LineReader reader(source);
  ProjectReader project(projectFolder);
  std::u16string buffer;
  std::string_view bytes;
  try {
    while (reader.Next(bytes)) {
      u16string_view text;
      try {
        text = codePage.Decode(bytes, buffer);
      } catch (const DecodeFault& fault) {
        // Settings the run does not read may carry any bytes.
        if (!HasKnownKey(bytes))
          continue;
        throw SourceError(name, reader.LineNumber(),
                          std::string(fault.what()) + " (byte offset " +
                              std::to_string(reader.LineOffset() + fault.Offset()) +
                              " in the file)");
      }
      project.Take(ProjectLine(text, reader.LineNumber(), name));
    }
  } catch (const ReadFault& fault) {
    throw SourceError(name, reader.LineNumber() + 1, fault.what());
  }
  return project.Result();
}

} // namespace qf
