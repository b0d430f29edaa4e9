// The texts of values, for string concatenation and printing: number "%d", real "%f", vector3
// "<%f, %f, %f>", bool "true"/"false", code "code", a list "[a, b]" with strings quoted, a database
// ("k": v, ...). Nested lists and databases deeper than kMaxTextDepth are written "..." and a text
// stops growing at kMaxTextUnits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "kivo/support/wide_string.h"

#include "compiler/constant_value.h"
#include "vm/stack_element.h"

namespace varno {

struct DatabaseValue;
struct VNlist;

inline constexpr uint32_t kMaxTextDepth = 32;
inline constexpr size_t kMaxTextUnits = 1u << 20;

void AppendNumberText(std::u16string& text, int32_t value);
void AppendRealText(std::u16string& text, float value);
void AppendVectorText(std::u16string& text, const RTFVector3D& value);
void AppendListText(std::u16string& text, const VNlist* list);
void AppendDatabaseText(std::u16string& text, const DatabaseValue* database);

// The text of an element for concatenation and printing (a string as it is); false for a kind that
// has no text (empty, object).
bool AppendElementText(std::u16string& text, const RTVarnoStackElement& element);

// The text of a string or number without the general formatter (a number's digits written into
// `digits`); false for other kinds.
bool PlainElementText(const RTVarnoStackElement& element, char16_t (&digits)[kivo::kWideIntTextUnits],
                      std::u16string_view* out);

}  // namespace varno
