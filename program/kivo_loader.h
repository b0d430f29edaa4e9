// Binding and starting the core library: the core interface table the program owns, the core's
// start and shutdown entries, and the host record allocated from the started core.
#pragma once

#include <cstdint>

#include "kivo/core_table.h"
#include "platform/dynamic_library.h"

namespace tesk {

inline constexpr char16_t kKivoKey[] = u"Software\\Ostrawen\\Kivo\\1.0\\";
inline constexpr char16_t kKivoInitializationError[] = u"Kivo Initialization Error!";

// The framework root from the registry with "core/kivocore.so" appended, into a buffer of `size`
// units; the root value itself may take `size` bytes. 0 (after its message) when the root
// cannot be read or the path does not fit.
int32_t GetKivoRootPath(char16_t* buffer, uint32_t size);
platform::LibraryHandle LoadModule(const char16_t* path);
// Binds the core once and starts it with the table: the core's start result, 1 when it is bound
// already, 0 when the library or either entry is missing.
int32_t BindKivoCore(CoreTable* table);
// Makes the table, binds and starts the core and allocates the host record; 1 or 0.
int32_t StartKivo();

// The program's core table (null before StartKivo) and whether the core has started.
CoreTable* CoreInterface();
bool CoreStarted();

}  // namespace tesk
