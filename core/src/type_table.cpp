#include "type_table.h"

namespace kivo::core {

// The built-in types arrive with parameter lists; until then the table stays empty.
void RegisterTypeTable() {}
void FreeTypeTable() {}

}  // namespace kivo::core
