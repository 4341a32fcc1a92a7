// The security descriptor of CreateDirectoryForEveryone, built apart so that it can be examined
// on its own (Wine does not apply a descriptor given to CreateDirectoryW).
#pragma once

#include "owners.h"

namespace setupsupport {

struct EveryoneDescriptor {
    UniqueSid everyone;
    UniqueLocal<ACL> acl;
    UniqueLocal<void> descriptor; // 20 zero-filled bytes in the 32-bit programs
};

// Builds the descriptor whose access list holds the one entry for Everyone. False when a step
// failed; what was obtained until then is held by `result` and released with it.
bool BuildEveryoneDescriptor(EveryoneDescriptor* result);

} // namespace setupsupport
