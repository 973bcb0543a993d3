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
// nothing to the summary. The summary starts afresh only when the principal number's block runs;
// otherwise what the previous summary held is extended.
[[nodiscard]] ComposedReading ComposeReading(int principal, int character, int energetic,
                                             const QString& previousSummary = {});

} // namespace Kistarra
