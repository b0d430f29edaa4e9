// Parameter lists of component methods ("uint aStage, RTInstance ahStream"), parsed on first use
// into parameter records resolved against the type table.
#pragma once

#include "coreregistry/component_entry.h"

namespace kivo::core {

// Appends a record per complete item; 1 when the whole text parsed. Records made before a stop
// stay in the list.
RTSuccess ParseParameterList(RTMethodRecord& method);
// Parses the list once; true when it parsed whole (an empty list does not).
bool EnsureParameterList(RTMethodRecord& method);
void FreeParameterList(RTMethodRecord& method);

// The method of that name (ignoring ASCII case) in the class or its nearest parent that has one,
// its parameter list parsed.
RTSuccess FindMethodInClass(ComponentEntry* entry, const char16_t* name, RTMethodRecord** out);
RTSuccess FindMethod(RTInstance ctx, RTInstance instance, const char16_t* name, RTMethodRecord** out);

}  // namespace kivo::core
