#pragma once

#include <QString>

#include "cli/answer.h"
#include "cli/arguments.h"

namespace Kistarra {

// The message with every control character a value brought into it written out (\n, \x1B), so a
// refusal is always exactly one line.
[[nodiscard]] QString OneLine(const QString& message);

// What goes to standard output: the report (the default when no file is asked for), the year
// ahead in words (in the default report's place, or after a report asked for), and the JSON
// object.
[[nodiscard]] QString TerminalText(const CommandLineRequest& request, const Answer& answer);

} // namespace Kistarra
