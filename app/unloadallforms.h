#pragma once

namespace Kistarra {

// Closes every window of the program, hidden ones included, and ends it. One object per run holds
// whether the closing is under way, so a close handler that asks again while it runs changes
// nothing.
class FormUnloader {
public:
    // Closes every window through its own close handling and ends the program with exit code 0
    // once they are gone. Re-entering it from a close handler it triggered does nothing more.
    void UnloadAllForms();

private:
    bool m_unloading = false;
};

} // namespace Kistarra
