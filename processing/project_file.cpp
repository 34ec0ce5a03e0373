#include "processing/project_file.h"

#include "processing/project_paths.h"
#include "rewrite/keywords.h"
#include "text/line_reader.h"
#include "text/utf.h"

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

  bool HasKey() const { return !key_.empty(); }
  u16string_view Value() const { return value_; }

  /// The key equals `key` (upper case) as a whole, whatever its letter case.
  template <std::size_t N> bool Is(const char16_t (&key)[N]) const {
    return keywords::Is(key_, key);
  }

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
  if (line.Is(u"TYPE"))
    info.ProgramType = ProgramTypeOf(value);
  else if (line.Is(u"FORM"))
    AddFile(contents_.FormFiles, "forms", line);
  else if (line.Is(u"MODULE"))
    AddNamedFile(contents_.ModuleFiles, "modules", line);
  else if (line.Is(u"CLASS"))
    AddNamedFile(contents_.ClassFiles, "class modules", line);
  else if (line.Is(u"USERCONTROL"))
    AddFile(contents_.UserControlFiles, "user controls", line);
  else if (line.Is(u"PROPERTYPAGE"))
    AddFile(contents_.PropertyPageFiles, "property pages", line);
  else if (line.Is(u"STARTUP"))
    info.StartupObject = Unquoted(value);
  else if (line.Is(u"NAME"))
    info.ProjectName = Unquoted(value);
  else if (line.Is(u"MAJORVER"))
    info.MajorVersion = Trim(value);
  else if (line.Is(u"MINORVER"))
    info.MinorVersion = Trim(value);
  else if (line.Is(u"REVISIONVER"))
    info.RevisionVersion = Trim(value);
  else if (line.Is(u"VERSIONCOMPANYNAME"))
    info.CompanyName = Unquoted(value);
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

/// Whether the raw line's key (the ASCII text before "=") is one the run
/// reads.
bool HasKnownKey(std::string_view bytes) {
  const std::size_t equals = bytes.find('=');
  if (equals == std::string_view::npos)
    return false;
  const std::string_view key = keywords::TrimSpaces(bytes.substr(0, equals));
  std::u16string wide(key.begin(), key.end());
  for (char16_t& c : wide)
    c = keywords::UpperAscii(c);
  for (u16string_view known :
       {u"TYPE", u"FORM", u"MODULE", u"CLASS", u"USERCONTROL", u"PROPERTYPAGE", u"STARTUP", u"NAME",
        u"MAJORVER", u"MINORVER", u"REVISIONVER", u"VERSIONCOMPANYNAME"})
    if (wide == known)
      return true;
  return false;
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
      const ProjectLine line(text, reader.LineNumber(), name);
      if (line.HasKey())
        project.Take(line);
    }
  } catch (const ReadFault& fault) {
    throw SourceError(name, reader.LineNumber() + 1, fault.what());
  }
  return project.Result();
}

} // namespace qf
