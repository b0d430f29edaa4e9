// The built-in type table that parameter lists are parsed against.
#pragma once

namespace kivo::core {

void RegisterTypeTable();
void FreeTypeTable();

}  // namespace kivo::core
