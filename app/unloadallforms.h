#pragma once

namespace Kistarra {

// Closes every window of the program, hidden ones included, each through its own close handling,
// and ends the program with exit code 0 once they are gone. Re-entering it from a close handler it
// triggered does nothing more.
void UnloadAllForms();

} // namespace Kistarra
