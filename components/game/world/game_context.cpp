#include "game_context.h"

#include <string>

#include "kivo/support/numeric.h"
#include "kivo/support/raise.h"
#include "varno/scripting_calls.h"

namespace tesk::game {

namespace scripting = varno::scripting;

uint32_t Now() {
  uint32_t now = 0;
  Core().GetTime(nullptr, &now);
  return now;
}

void Release(RTInstance& held) {
  if (held) Core().ReleaseInstance(nullptr, held);
  held = nullptr;
}

void Hold(RTInstance& field, RTInstance instance) {
  if (instance == field) return;
  if (instance) Core().ResolveHandle(nullptr, instance);
  Release(field);
  field = instance;
}

void Report(std::u16string_view text) {
  const std::u16string line(text);
  Core().RaiseError(nullptr, line.c_str(), kivo::kLevelError);
}

void RaiseGameEvent(GamePrivateData& game, const char16_t* event,
                    std::initializer_list<scripting::EventArgument> arguments) {
  scripting::RaiseEvent(game.varno, game.vm, game.gameObject, event, arguments);
}

bool ReadAttribute(GamePrivateData& game, ScriptObject object, const char16_t* name, uint32_t type,
                   varno::RTVarnoConstantValue* value) {
  return game.varno && object &&
         scripting::SymbolReadAttribute(game.varno, game.vm, object, name, scripting::kWholeAttribute, type, value);
}

bool ReadWholeNumber(GamePrivateData& game, ScriptObject object, const char16_t* name, uint32_t element,
                     int32_t* number) {
  varno::RTVarnoConstantValue value{};
  if (game.varno && object &&
      scripting::SymbolReadAttribute(game.varno, game.vm, object, name, element, varno::kTypeNumber, &value)) {
    *number = value.value.number;
    return true;
  }
  if (game.varno && object &&
      scripting::SymbolReadAttribute(game.varno, game.vm, object, name, element, varno::kTypeReal, &value)) {
    *number = kivo::FloatToInt<int32_t>(value.value.real);
    return true;
  }
  if (!game.varno || !object ||
      !scripting::SymbolReadAttribute(game.varno, game.vm, object, name, element, varno::kTypeBool, &value))
    return false;
  *number = value.value.number != 0 ? 1 : 0;
  return true;
}

ScriptObject ReadObject(GamePrivateData& game, ScriptObject object, const char16_t* name) {
  varno::RTVarnoConstantValue value{};
  return ReadAttribute(game, object, name, varno::kFirstClassType, &value) ? static_cast<ScriptObject>(value.value.pointer)
                                                                             : nullptr;
}

bool WriteFlag(GamePrivateData& game, ScriptObject object, const char16_t* name, bool flag) {
  if (!game.varno || !object) return false;
  for (uint32_t type : {varno::kTypeBool, varno::kTypeNumber}) {
    varno::RTVarnoConstantValue value{};
    value.type = type;
    value.value.number = flag ? 1 : 0;
    if (scripting::SymbolWriteAttribute(game.varno, game.vm, object, name, scripting::kWholeAttribute, &value))
      return true;
  }
  return false;
}

bool WriteObject(GamePrivateData& game, ScriptObject object, const char16_t* name, ScriptObject value) {
  varno::RTVarnoConstantValue cell{};
  cell.type = varno::kFirstClassType;
  cell.value.pointer = value;
  return game.varno && object && value &&
         scripting::SymbolWriteAttribute(game.varno, game.vm, object, name, scripting::kWholeAttribute, &cell);
}

std::u16string ReadText(GamePrivateData& game, ScriptObject object, const char16_t* name, uint32_t element) {
  varno::RTVarnoConstantValue value{};
  if (!game.varno || !object ||
      !scripting::SymbolReadAttribute(game.varno, game.vm, object, name, element, varno::kTypeString, &value) ||
      !value.value.text)
    return {};
  std::u16string text(value.value.text);
  Core().ArrayFree(nullptr, value.value.text);
  return text;
}

}  // namespace tesk::game
