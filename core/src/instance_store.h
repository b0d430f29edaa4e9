// The core's side of the instance store (class RTInstanceStore): storing instances, fetching
// stored ones lazily, and two other operations built on streams: named resources of a component
// and changing an instance's class.
#pragma once

#include "kivo/types.h"

namespace kivo::core {

RTSuccess StoreInstance(RTInstance ctx, RTInstance instance, uint32_t sizeWord, RTBool subtree);
RTSuccess UnstoreInstance(RTInstance ctx, RTInstance instance);
RTSuccess IsInstanceStored(RTInstance ctx, RTInstance instance, RTBool* out);
// Creates an instance from the store's record of `path` under `parent` (Root when null), named as
// stored; its stored children become placeholders.
RTSuccess StreamInstanceFromStore(RTInstance parent, const char16_t* path, RTInstance* out);
// Gives a placeholder record its component object and data from the store.
bool LoadFromStore(RTInstance instance);

RTSuccess OpenResourceStream(RTInstance ctx, const char16_t* className, const char16_t* resourceName,
                             RTInstance* out);
RTSuccess ChangeInstanceClass(RTInstance ctx, RTInstance instance, const char16_t* className,
                              RTStreamInFunc streamIn);
// Drops the resource instances the components opened (at core shutdown).
void ReleaseResources();

}  // namespace kivo::core
