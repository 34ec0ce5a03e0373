#include "bench/vb6_generator.h"

#include "bench/vb6_vocabulary.h"

#include <array>
#include <random>
#include <string_view>
#include <utility>
#include <vector>

namespace qf::bench {
namespace {

using std::string_view;
using std::uint32_t;
using namespace vocabulary;

/// The deepest block nesting inside a procedure body.
constexpr uint32_t kMaxDepth = 5;

/// A seeded random source. Draws use a plain modulo rather than a standard
/// distribution, whose results differ between standard libraries.
class Random {
public:
  explicit Random(uint32_t seed) : engine_(seed) {}

  /// A number in [0, n); n > 0.
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(engine_() % n); }
  bool Percent(uint32_t percent) { return Below(100) < percent; }
  template <typename Item, std::size_t N> const Item& Pick(const std::array<Item, N>& items) {
    return items[Below(static_cast<uint32_t>(N))];
  }

private:
  std::mt19937 engine_;
};

/// Builds one module; the member functions write its parts in file order.
class ModuleWriter {
public:
  ModuleWriter(uint32_t seed, bool chinese) : random_(seed), chinese_(chinese) {}

  std::string Generate(std::size_t approxBytes, bool shortProcedures);

private:
  /// Writes one line: messy indentation for `depth`, the parts, CR LF.
  /// The order in which arguments are evaluated is unspecified, so a call
  /// may draw a random number in at most one of its arguments; otherwise
  /// the output would differ between compilers.
  template <typename... Parts> void Line(uint32_t depth, const Parts&... parts) {
    Indent(depth);
    (out_.append(parts), ...);
    EndLine();
  }
  void Indent(uint32_t depth);
  void EndLine();
  std::string Number(uint32_t below) { return std::to_string(random_.Below(below)); }
  string_view CommentText();

  void DesignerHeader(string_view formName);
  void FontGroup(uint32_t depth);
  void Control(uint32_t depth, bool mayContain);
  void Declarations(std::size_t untilBytes);
  void TypeBlock();
  void EnumBlock();
  void Procedure();
  void ShortProcedure();
  std::string ProcedureName();
  std::string EventName();
  void ProcedureHeader(string_view opening, const std::vector<std::string>& parameters,
                       string_view closing);
  std::string Parameter(uint32_t index, bool& optional);
  void Body(uint32_t depth, uint32_t statements);
  void IfBlock(uint32_t depth);
  void ForBlock(uint32_t depth);
  void DoBlock(uint32_t depth);
  void SelectBlock(uint32_t depth);
  void WithBlock(uint32_t depth);
  void SingleLineIf(uint32_t depth);
  void CommentLine(uint32_t depth);
  void Statement(uint32_t depth);

  Random random_;
  bool chinese_;
  std::string out_;
  uint32_t serial_ = 0; ///< Makes names unique.
};

std::string ModuleWriter::Generate(std::size_t approxBytes, bool shortProcedures) {
  out_.reserve(approxBytes + (1 << 16));
  DesignerHeader("frmMain");
  Line(0, "Option Explicit");
  Line(0, "");
  Declarations(approxBytes / 32);
  do
    shortProcedures ? ShortProcedure() : Procedure();
  while (out_.size() < approxBytes);
  return std::move(out_);
}

/// Mostly four spaces a level, often half that, sometimes anything.
void ModuleWriter::Indent(uint32_t depth) {
  const uint32_t roll = random_.Below(10);
  const uint32_t spaces = roll < 5   ? 4 * depth
                          : roll < 8 ? 2 * depth + random_.Below(3)
                                     : random_.Below(17);
  out_.append(spaces, ' ');
}

void ModuleWriter::EndLine() {
  if (random_.Percent(8))
    out_.append(1 + random_.Below(4), ' ');
  out_ += "\r\n";
}

string_view ModuleWriter::CommentText() {
  return chinese_ && random_.Percent(50) ? random_.Pick(kGbkPhrases) : random_.Pick(kComments);
}

void ModuleWriter::DesignerHeader(string_view formName) {
  Line(0, "VERSION 5.00");
  Line(0, "Begin VB.Form ", formName, " ");
  Line(1, "BorderStyle     =   1  'Fixed Single");
  Line(1, "Caption         =   \"", chinese_ ? kGbkCaptions[2] : "Main", "\"");
  Line(1, "ClientHeight    =   ", Number(6000));
  Line(1, "ClientWidth     =   ", Number(9000));
  Line(1, "StartUpPosition =   2  'CenterScreen");
  FontGroup(1);
  const uint32_t controls = 6 + random_.Below(20);
  for (uint32_t i = 0; i < controls; ++i)
    Control(1, true);
  Line(0, "End");
  Line(0, "Attribute VB_Name = \"", formName, "\"");
  Line(0, "Attribute VB_GlobalNameSpace = False");
  Line(0, "Attribute VB_Creatable = False");
  Line(0, "Attribute VB_PredeclaredId = True");
  Line(0, "Attribute VB_Exposed = False");
}

void ModuleWriter::FontGroup(uint32_t depth) {
  Line(depth, "BeginProperty Font ");
  Line(depth + 1, "Name            =   \"MS Sans Serif\"");
  Line(depth + 1, "Size            =   8.25");
  Line(depth + 1, "Charset         =   ", chinese_ ? "134" : "0");
  Line(depth + 1, "Weight          =   400");
  Line(depth + 1, "Underline       =   0   'False");
  Line(depth + 1, "Italic          =   0   'False");
  Line(depth + 1, "Strikethrough   =   0   'False");
  Line(depth, "EndProperty");
}

/// A control, or (when `mayContain`) sometimes a frame holding controls.
void ModuleWriter::Control(uint32_t depth, bool mayContain) {
  const bool frame = mayContain && random_.Percent(15);
  const std::string name = (frame ? "fra" : "ctl") + std::to_string(++serial_);
  Line(depth, "Begin ", frame ? "VB.Frame" : random_.Pick(kControls), " ", name, " ");
  const bool chineseCaption = chinese_ && random_.Percent(50);
  Line(depth + 1, "Caption         =   \"", chineseCaption ? random_.Pick(kGbkCaptions) : name,
       "\"");
  Line(depth + 1, "Height          =   ", Number(3000));
  Line(depth + 1, "Left            =   ", Number(8000));
  Line(depth + 1, "TabIndex        =   ", std::to_string(serial_));
  Line(depth + 1, "Top             =   ", Number(5000));
  Line(depth + 1, "Width           =   ", Number(4000));
  if (random_.Percent(30))
    FontGroup(depth + 1);
  if (frame) {
    const uint32_t children = 2 + random_.Below(3);
    for (uint32_t i = 0; i < children; ++i)
      Control(depth + 1, false);
  }
  Line(depth, "End");
}

void ModuleWriter::Declarations(std::size_t untilBytes) {
  do {
    const uint32_t roll = random_.Below(6);
    if (roll == 0) {
      TypeBlock();
    } else if (roll == 1) {
      EnumBlock();
    } else if (roll == 2) {
      Line(0, "Private Declare Function GetTickCount", std::to_string(++serial_),
           " Lib \"kernel32\" Alias \"GetTickCount\" () As Long");
    } else if (roll == 3) {
      Line(0, "Private Const MAX_ROWS", std::to_string(++serial_), " As Long = ", Number(1000));
    } else if (roll == 4) {
      const string_view scope = random_.Percent(50) ? "Private" : "Dim";
      const string_view noun = random_.Pick(kNouns);
      Line(0, scope, " m_", noun, std::to_string(++serial_), " As ", random_.Pick(kTypes).Name);
    } else {
      Line(0, "' ", CommentText());
    }
  } while (out_.size() < untilBytes);
  Line(0, "");
}

void ModuleWriter::TypeBlock() {
  const string_view scope = random_.Percent(70) ? "Private" : "Public";
  Line(0, scope, " Type t", random_.Pick(kNouns), std::to_string(++serial_));
  const uint32_t fields = 2 + random_.Below(6);
  for (uint32_t i = 0; i < fields; ++i) {
    const string_view field = random_.Pick(kNouns);
    Line(1, field, std::to_string(i), " As ", random_.Pick(kTypes).Name);
  }
  Line(0, "End Type");
}

void ModuleWriter::EnumBlock() {
  Line(0, "Public Enum e", random_.Pick(kNouns), std::to_string(++serial_));
  const uint32_t members = 2 + random_.Below(6);
  for (uint32_t i = 0; i < members; ++i)
    Line(1, "em", random_.Pick(kNouns), std::to_string(i), " = ", std::to_string(i));
  Line(0, "End Enum");
}

/// A Sub or Function: header, locals, a body, the return value and an
/// error handler where it has one, End Sub / End Function.
void ModuleWriter::Procedure() {
  const bool isFunction = random_.Percent(40);
  const bool isEvent = !isFunction && random_.Percent(25);
  const std::string name = isEvent ? EventName() : ProcedureName();
  const uint32_t scope = random_.Below(20);
  std::string opening = scope < 10 ? "Private " : scope < 17 ? "Public " : "";
  opening += isFunction ? "Function " : "Sub ";
  opening += name;

  std::vector<std::string> parameters;
  bool optional = false;
  const uint32_t count = isEvent ? 0 : random_.Below(6);
  for (uint32_t i = 0; i < count; ++i)
    parameters.push_back(Parameter(i, optional));
  std::string closing =
      isFunction && random_.Percent(85) ? ") As " + std::string(random_.Pick(kTypes).Name) : ")";
  if (random_.Percent(5))
    closing += "   ' " + std::string(CommentText());

  for (uint32_t blank = random_.Below(3); blank > 0; --blank)
    Line(0, "");
  ProcedureHeader(opening, parameters, closing);
  for (uint32_t locals = random_.Below(4); locals > 0; --locals)
    Line(1, random_.Pick(kLocals));
  const bool handlesErrors = random_.Percent(30);
  if (handlesErrors)
    Line(1, "On Error GoTo ErrHandler");
  Body(1, 3 + random_.Below(25));
  if (isFunction)
    Line(1, name, " = ", random_.Pick(kConditions));
  if (handlesErrors) {
    Line(1, isFunction ? "Exit Function" : "Exit Sub");
    Line(0, "ErrHandler:");
    Line(1, "MsgBox Err.Description, vbExclamation");
  }
  Line(0, isFunction ? "End Function" : "End Sub");
}

/// Fourteen lines: a one-line header with a few parameters, twelve simple
/// lines, the End line.
void ModuleWriter::ShortProcedure() {
  const bool isFunction = random_.Percent(40);
  std::string opening = random_.Percent(50) ? "Private " : "Public ";
  opening += isFunction ? "Function " : "Sub ";
  opening += ProcedureName();
  std::string text = opening + "(";
  bool optional = false;
  for (uint32_t i = 0, count = random_.Below(4); i < count; ++i)
    text += (i == 0 ? "" : ", ") + Parameter(i, optional);
  text += isFunction ? ") As " + std::string(random_.Pick(kTypes).Name) : ")";
  Line(0, text);
  for (int line = 0; line < 12; ++line) {
    const uint32_t roll = random_.Below(100);
    if (roll < 10)
      SingleLineIf(1);
    else if (roll < 20)
      CommentLine(1);
    else
      Statement(1);
  }
  Line(0, isFunction ? "End Function" : "End Sub");
}

std::string ModuleWriter::ProcedureName() {
  std::string name(random_.Pick(kVerbs));
  name += random_.Pick(kNouns);
  return name + std::to_string(++serial_);
}

std::string ModuleWriter::EventName() {
  std::string name = "cmd";
  name += random_.Pick(kNouns);
  return name + std::to_string(++serial_) + "_Click";
}

/// One line, or (sometimes, with two parameters or more) two or three
/// lines joined by " _", breaking between parameters.
void ModuleWriter::ProcedureHeader(string_view opening, const std::vector<std::string>& parameters,
                                   string_view closing) {
  const auto count = static_cast<uint32_t>(parameters.size());
  uint32_t lines = 1;
  if (count >= 2 && random_.Percent(30))
    lines = count >= 3 && random_.Percent(50) ? 3 : 2;
  for (uint32_t line = 0; line < lines; ++line) {
    std::string text = line == 0 ? std::string(opening) + "(" : std::string();
    const uint32_t first = line * count / lines;
    const uint32_t last = (line + 1) * count / lines;
    for (uint32_t i = first; i < last; ++i) {
      text += parameters[i];
      if (i + 1 < count)
        text += ", ";
    }
    if (line + 1 < lines)
      text += "_";
    else
      text += closing;
    Line(line == 0 ? 0 : 1 + random_.Below(3), text);
  }
}

std::string ModuleWriter::Parameter(uint32_t index, bool& optional) {
  optional = optional || random_.Percent(15);
  const uint32_t roll = random_.Below(10);
  std::string text = optional ? "Optional ByVal " : roll < 5 ? "ByVal " : roll < 6 ? "ByRef " : "";
  const TypeWord& type = random_.Pick(kTypes);
  text += type.Prefix;
  text += random_.Pick(kNouns);
  text += std::to_string(index);
  if (random_.Percent(10) && !optional)
    return text; // untyped: a Variant
  text += " As ";
  text += type.Name;
  if (optional) {
    text += " = ";
    text += type.Default;
  }
  return text;
}

void ModuleWriter::Body(uint32_t depth, uint32_t statements) {
  for (uint32_t i = 0; i < statements; ++i) {
    const uint32_t roll = random_.Below(100);
    const bool nest = depth < kMaxDepth;
    if (nest && roll < 10)
      IfBlock(depth);
    else if (nest && roll < 14)
      ForBlock(depth);
    else if (nest && roll < 17)
      DoBlock(depth);
    else if (nest && roll < 20)
      SelectBlock(depth);
    else if (nest && roll < 23)
      WithBlock(depth);
    else if (roll < 27)
      SingleLineIf(depth);
    else if (roll < 35)
      CommentLine(depth);
    else if (roll < 39)
      Line(depth, "");
    else
      Statement(depth);
  }
}

/// A block If: its condition sometimes continued with " _", sometimes a
/// comment after Then; ElseIf and Else parts sometimes.
void ModuleWriter::IfBlock(uint32_t depth) {
  const uint32_t roll = random_.Below(100);
  if (roll < 10) {
    Line(depth, "If ", random_.Pick(kConditions), " And _");
    Line(depth + 1, random_.Pick(kConditions), " Then");
  } else if (roll < 18) {
    const string_view condition = random_.Pick(kConditions);
    Line(depth, "If ", condition, " Then   ' ", CommentText());
  } else {
    Line(depth, "If ", random_.Pick(kConditions), " Then");
  }
  Body(depth + 1, 1 + random_.Below(5));
  for (uint32_t elseIfs = random_.Percent(25) ? 1 + random_.Below(2) : 0; elseIfs > 0; --elseIfs) {
    Line(depth, "ElseIf ", random_.Pick(kConditions), " Then");
    Body(depth + 1, 1 + random_.Below(4));
  }
  if (random_.Percent(35)) {
    Line(depth, "Else");
    Body(depth + 1, 1 + random_.Below(4));
  }
  Line(depth, "End If");
}

void ModuleWriter::ForBlock(uint32_t depth) {
  const bool each = random_.Percent(30);
  if (each) {
    Line(depth, "For Each varValue In colItems");
  } else {
    const std::string start = Number(2);
    Line(depth, "For lngIndex = ", start, " To lngCount", random_.Percent(20) ? " Step 2" : "");
  }
  Body(depth + 1, 1 + random_.Below(5));
  Line(depth, random_.Percent(50) ? "Next" : each ? "Next varValue" : "Next lngIndex");
}

void ModuleWriter::DoBlock(uint32_t depth) {
  const uint32_t roll = random_.Below(3);
  Line(depth, roll == 0 ? "Do While Not rsData.EOF" : roll == 1 ? "Do Until lngIndex > 10" : "Do");
  Body(depth + 1, 1 + random_.Below(5));
  Line(depth, roll == 2 ? "Loop Until rsData.EOF" : "Loop");
}

void ModuleWriter::SelectBlock(uint32_t depth) {
  Line(depth, "Select Case ", random_.Percent(50) ? "lngIndex" : "strMode");
  const uint32_t cases = 2 + random_.Below(4);
  for (uint32_t i = 0; i < cases; ++i) {
    Line(depth + 1, "Case ", std::to_string(i), random_.Percent(20) ? " To 99" : "");
    Body(depth + 2, random_.Below(4));
  }
  if (random_.Percent(50)) {
    Line(depth + 1, "Case Else");
    Body(depth + 2, 1 + random_.Below(2));
  }
  Line(depth, "End Select");
}

void ModuleWriter::WithBlock(uint32_t depth) {
  Line(depth, "With rsData");
  Line(depth + 1, ".Fields(\"", random_.Pick(kNouns), "\").Value = strText");
  if (random_.Percent(50))
    Body(depth + 1, 1 + random_.Below(3));
  Line(depth + 1, ".Update");
  Line(depth, "End With");
}

void ModuleWriter::SingleLineIf(uint32_t depth) {
  const string_view condition = random_.Pick(kConditions);
  Line(depth, "If ", condition, " Then ", random_.Pick(kStatements));
}

void ModuleWriter::CommentLine(uint32_t depth) {
  const string_view mark = random_.Percent(10) ? "Rem " : "' ";
  Line(depth, mark, CommentText());
}

/// A simple statement, sometimes a message box or a trailing comment.
void ModuleWriter::Statement(uint32_t depth) {
  if (random_.Percent(5)) {
    Line(depth, "MsgBox \"", chinese_ ? random_.Pick(kGbkPhrases) : "Done", "\", vbInformation");
    return;
  }
  const string_view statement = random_.Pick(kStatements);
  if (random_.Percent(10))
    Line(depth, statement, "   ' ", CommentText());
  else
    Line(depth, statement);
}

} // namespace

std::string GenerateModule(std::size_t approxBytes, std::uint32_t seed, bool chineseComments) {
  return ModuleWriter(seed, chineseComments).Generate(approxBytes, false);
}

std::string GenerateHeaderHeavyModule(std::size_t approxBytes, std::uint32_t seed) {
  return ModuleWriter(seed, false).Generate(approxBytes, true);
}

} // namespace qf::bench
