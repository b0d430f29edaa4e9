// The core's table from instance UUID to instance record: chained, 4095 buckets, a UUID's bucket
// is its first word modulo the bucket count, new entries at the bucket head, no duplicate check.
#pragma once

#include "kivo/types.h"

namespace kivo::core {

bool CreateUuidTable();
void DestroyUuidTable();

RTSuccess UuidTableInsert(const RTUUID& uuid, RTInstance instance);
RTSuccess UuidTableLookup(const RTUUID& uuid, RTInstance* out);
// Unlinks the entry of this UUID that holds this instance.
RTSuccess UuidTableRemoveValue(const RTUUID& uuid, RTInstance instance);

bool IsNilUuid(const RTUUID& uuid);

}  // namespace kivo::core
