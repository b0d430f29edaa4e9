// The file stream a class file is written or read through: an RTBrellinFileStream under Root,
// opened through its own level's first method and closed through its second.
#pragma once

#include <cstdint>

#include "kivo/support/instance_ref.h"
#include "kivo/types.h"

namespace varno {

// Creates the stream into `out` and opens the file (kivo::file_stream::kReadExisting or
// kWriteNew). Creation and opening report nothing; the caller tells them apart by `out`.
RTSuccess OpenClassFileStream(const char16_t* file, uint32_t mode, kivo::InstanceRef* out);
// Closes the stream; a written file replaces its target only here. Releasing the stream without
// closing it abandons a written file and leaves the target as it was.
RTSuccess CloseClassFileStream(RTInstance stream);

}  // namespace varno
