#pragma once

#include <functional>
#include <memory>

#include <QString>

namespace Kistarra {

class Desktop;
class ProgramSettings;
class ProgramWindows;
class SingleInstanceGuard;

// The windowed program's start: refuses a second copy ("Application is already running", and
// nothing else happens - the settings are not even opened, the running copy is left alone),
// seeds the random draws, opens the settings once (saying in one line on stderr when it runs on
// the defaults, and why), runs the update reminder, shows the birth details window with the
// stored reading options (going on to a saved reading when one is given), stores each change of
// the options ("The setting could not be saved; ..." when it cannot be) and draws which
// promotional label is in front. Null for a second copy, which then ends; otherwise the running
// program's windows. A saved reading whose name could not be kept byte for byte is refused as a
// file that cannot be read, never opened by a look-alike name.
using SettingsOpener = std::function<std::unique_ptr<ProgramSettings>()>;
[[nodiscard]] std::unique_ptr<ProgramWindows> StartUp(Desktop& desktop, SingleInstanceGuard& guard,
                                                      const SettingsOpener& openSettings,
                                                      const QString& savedReading = {},
                                                      bool savedReadingExact = true);

} // namespace Kistarra
