// The instance tree under Root: parents and children, names unique among siblings (ignoring
// ASCII case), colon-separated paths.
#pragma once

#include <string>

#include "instance_record.h"

namespace kivo::core {

// Appends the child, takes a reference on the parent and enters the child's name.
bool Attach(RTInstance parent, RTInstance child);
// The reverse of Attach, releasing the parent.
RTSuccess Detach(RTInstance child);
// Names an instance "<class name without its first two characters><n>" for the first n from 1
// that no child of `parent` (Root when null) bears.
RTSuccess GiveUniqueName(RTInstance instance, RTInstance parent);
// To be called when a child of `parent` gives up its name (or no longer counts as bearing it, as
// while it is being loaded): automatic names under it are searched from 1 again.
void ForgetNameSearches(RTInstance parent);
// Names an instance being created "???", the placeholder that any number of siblings may bear.
RTSuccess GivePlaceholderName(RTInstance instance);
// Names joined by ":" from the top of the instance's tree.
std::u16string InstancePath(RTInstance instance);
// Forgets the children of an instance that is being destroyed (they keep their names).
void OrphanChildren(RTInstance instance);

RTSuccess GetChildCount(RTInstance ctx, RTInstance instance, uint32_t* count);
RTSuccess GetChild(RTInstance ctx, RTInstance instance, uint32_t index, RTInstance* out);
RTSuccess FindChild(RTInstance ctx, RTInstance parent, const char16_t* name, RTInstance* out);
RTSuccess GetInstancePath(RTInstance ctx, RTInstance instance, char16_t* buffer, uint32_t length);
RTSuccess GetParent(RTInstance ctx, RTInstance instance, RTInstance* out);
RTSuccess ChildNameExists(RTInstance ctx, RTInstance parent, const char16_t* name, RTBool* out);
RTSuccess GetInstanceName(RTInstance ctx, RTInstance instance, char16_t* buffer, uint32_t length);
RTSuccess SetInstanceName(RTInstance ctx, RTInstance instance, const char16_t* name);
RTSuccess GetInstanceByName(RTInstance ctx, const char16_t* path, RTInstance* out, RTBool remote);

}  // namespace kivo::core
