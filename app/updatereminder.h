#pragma once

#include <memory>

class QSettings;

namespace Kistarra {

class Desktop;

// Once per start, before any window shows: when the last reminder lies more than a fortnight away
// from today (either way: a clock set back counts too), asks whether to look for an update and
// opens the download page on Yes. The first run only notes the day. The date lives in section
// "Settings" under the key "Duration"; key and value are both stored through EncodeText, the value
// being the short date text of the current locale. A value that no longer reads as a date (the
// date format changed) is replaced by today's date, without a question.
void UpdateReminder(Desktop& desktop, QSettings& settings);

// The per-user settings store: an INI file named after the executable in the user's
// configuration folder. Nothing when something other than a regular file stands in its place.
[[nodiscard]] std::unique_ptr<QSettings> OpenProgramSettings();

} // namespace Kistarra
