#pragma once

#include <sys/stat.h>

#include "files/result.h"

namespace Kistarra {

// Gives made, a new file of ours that is to replace an old one, what the old one had, so that no
// one gains or loses access by a save: its owner and group, its permission bits (set-user-ID,
// set-group-ID and sticky included) and its extended attributes, the ACL among them, read through
// old, a descriptor of the old file opened for reading (-1 when it could not be). An attribute
// the file system will not take is left out; the permission bits are then never wider than the
// old file's ACL allowed. Refused, with the system's reason, when the owner or group cannot be
// kept.
[[nodiscard]] Done KeepAttributes(int made, int old, const struct stat& oldStatus);

} // namespace Kistarra
