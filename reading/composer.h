#pragma once

#include <QString>

#include "reading/composedtext.h"

// Composes the reading text of the chart page, its one-line star summary and the relationship
// text from the three star numbers and the tables of the nine numbers.
namespace Kistarra {

struct ComposedReading {
    ComposedText reading;
    ComposedText relationship;
    QString starSummary;
};

// A number outside 1..9 keeps its header line and explanation but gets no number block and adds
// nothing to the summary; only the principal number's block opens the summary with "Your 9 Star
// Ki is: ".
[[nodiscard]] ComposedReading ComposeReading(int principal, int character, int energetic);

} // namespace Kistarra
