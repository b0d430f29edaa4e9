// The language's type codes and the flags of type records.
#pragma once

#include <cstdint>

#include "varno/call_cells.h"  // the type codes themselves

namespace varno {

// An index that names no type (a class without a parent, a failed lookup).
inline constexpr uint32_t kNoType = 0xFFFFFFFFu;

// The checker's codes for names that denote handlers: an event (-3) and a listener (-2). A
// listener name is used as a string value, an event name as the target of "listen".
inline constexpr uint32_t kTypeEventName = 0xFFFFFFFDu;
inline constexpr uint32_t kTypeListenerName = 0xFFFFFFFEu;

// Flags of a type record (low byte).
inline constexpr uint32_t kTypeBuiltIn = 1;
inline constexpr uint32_t kTypeRecordOnly = 2;  // attributes and constants, no methods
inline constexpr uint32_t kTypeScriptClass = 8;

// Kinds of method records.
enum MethodKind : uint8_t {
  kMethodPlain = 1,
  kMethodEvent = 2,
  kMethodState = 3,
  kMethodImplemented = 4,
  kMethodListener = 5,
};

// The flag byte of a declaration or attribute: 2 marks a class constant.
inline constexpr uint8_t kDeclarationConstant = 2;

}  // namespace varno
