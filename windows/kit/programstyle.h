#pragma once

namespace Kistarra {

// Makes the application draw with the platform's style through the program's own: the same
// look, but the menu bar's button for entries that do not fit decodes its picture only when it
// first shows. No bar of the program overflows, so a start would decode it for nothing. Call it
// before the first window; calling it again changes nothing.
void UseProgramStyle();

} // namespace Kistarra
