// The argument cells of a script call, read by position: a cell is read only when the call has it
// and its type code is one its reader takes, so that a missing or mistyped argument reads as none.
// A vector result goes into the block the result cell points to.
#pragma once

#include <optional>

#include "varno/call_cells.h"

namespace varno {
struct VNlist;  // a script list (varno/scripting_calls.h)
}  // namespace varno

namespace tesk::actor {

using Cell = varno::RTVarnoCallArg;
using ScriptObject = varno::RTVarnoSymbol*;
using VM = varno::RTVarnoVM*;

class ScriptArguments {
 public:
  ScriptArguments(uint32_t count, const Cell* cells) : count_(cells ? count : 0), cells_(cells) {}

  // A string (u"" for a string cell without text); null when there is none.
  const char16_t* Text(uint32_t index) const;
  // A number or a bool.
  std::optional<int32_t> Integer(uint32_t index) const;
  std::optional<float> Real(uint32_t index) const;
  // A vector3: the block the cell points to.
  const RTFVector3D* Vector(uint32_t index) const;
  // A list: the script's own.
  varno::VNlist* List(uint32_t index) const;

 private:
  const Cell* Typed(uint32_t index, uint32_t type) const;

  uint32_t count_;
  const Cell* cells_;
};

// Writes all four floats into the result's vector block; false when there is none.
bool WriteVectorResult(Cell* result, const RTFVector3D& vector);

}  // namespace tesk::actor
