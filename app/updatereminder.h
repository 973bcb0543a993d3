#pragma once

namespace Kistarra {

class Desktop;
class ProgramSettings;

// Once per start, before any window shows: when the last reminder lies more than a fortnight away
// from today (either way: a clock set back counts too), asks whether to look for an update and
// opens the download page on Yes. The first run only notes the day. The day is kept in the
// settings as the short date text of the current locale. A value that no longer reads as a date
// (the date format changed) is replaced by today's date, without a question.
void UpdateReminder(Desktop& desktop, ProgramSettings& settings);

} // namespace Kistarra
