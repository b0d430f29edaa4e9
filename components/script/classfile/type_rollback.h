// Taking back the types a failed load registered.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace varno {

struct RTVarnoTypeTable;

// Frees every type at index `count` and above, with all it owns (methods and their code streams
// included), and leaves the table `count` types long.
RTSuccess TypeTableRemoveFrom(RTVarnoTypeTable* table, uint32_t count);

}  // namespace varno
