#include "script_cells.h"

namespace tesk::actor {

const Cell* ScriptArguments::Typed(uint32_t index, uint32_t type) const {
  return index < count_ && cells_[index].type == type ? &cells_[index] : nullptr;
}

const char16_t* ScriptArguments::Text(uint32_t index) const {
  const Cell* cell = Typed(index, varno::kTypeString);
  if (!cell) return nullptr;
  return cell->value.text ? cell->value.text : u"";
}

std::optional<int32_t> ScriptArguments::Integer(uint32_t index) const {
  if (const Cell* cell = Typed(index, varno::kTypeNumber)) return cell->value.number;
  if (const Cell* cell = Typed(index, varno::kTypeBool)) return static_cast<int32_t>(cell->value.word);
  return std::nullopt;
}

std::optional<float> ScriptArguments::Real(uint32_t index) const {
  if (const Cell* cell = Typed(index, varno::kTypeReal)) return cell->value.real;
  return std::nullopt;
}

const RTFVector3D* ScriptArguments::Vector(uint32_t index) const {
  const Cell* cell = Typed(index, varno::kTypeVector3);
  return cell ? cell->value.vector : nullptr;
}

varno::VNlist* ScriptArguments::List(uint32_t index) const {
  const Cell* cell = Typed(index, varno::kTypeList);
  return cell ? static_cast<varno::VNlist*>(cell->value.pointer) : nullptr;
}

bool WriteVectorResult(Cell* result, const RTFVector3D& vector) {
  if (!result || !result->value.vector) return false;
  *result->value.vector = vector;
  return true;
}

}  // namespace tesk::actor
