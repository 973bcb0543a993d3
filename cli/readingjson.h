#pragma once

#include <QJsonObject>

#include "reading/comparison.h"
#include "reading/reading.h"

namespace Kistarra {

// A reading as the JSON of --json: the birth details as the lists give them, the numbers, the
// summary, the Lo Shu cells {"1".."9"}, the Feng Shui profile and the year rule with the year the
// numbers come from.
[[nodiscard]] QJsonObject ReadingJson(const Reading& reading);

// The comparison with a partner as the reading's "comparison": the partner's name, date and
// numbers, and for each level both numbers, their element words, whether they are the same, the
// compatible numbers both ways and, on the principal level, the relationship page's sections
// from each side ("support", "control", "drain", "controlled", in the page's order).
[[nodiscard]] QJsonObject ComparisonJson(const Reading& partner, const Comparison& comparison);

} // namespace Kistarra
