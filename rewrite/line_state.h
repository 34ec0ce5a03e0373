#pragma once

#include <cstdint>

namespace qf {

/// The state of one rewrite pass, set afresh for every file.
struct LineState {
  /// Designer header: Begin/End depth (3 spaces each). Code: block depth
  /// inside procedures (one indent width each).
  std::int16_t Level = 1;
  std::int16_t SelectDepth = 0; ///< Select Case blocks open.
  std::int16_t TypeDepth = 0;   ///< Type blocks open in the declarations part.
  bool MarkerPending = true;    ///< The marker line is still to be written.
  bool AttributeSeen = false;   ///< The designer header has reached its Attribute lines.
  bool InCode = false;          ///< The code part of the file has begun.
  bool IfContinued = false;     ///< An If ended with " _"; its Then is still to come.
  bool SingleLineIf = false;    ///< This line is an If with a statement after its Then.
  bool ProcedureSeen = false;   ///< A procedure line was written: declarations are over.
};

} // namespace qf
