#pragma once

#include <QJsonObject>

#include "reading/reading.h"

namespace Kistarra {

// A reading as the JSON of --json: the birth details as the lists give them, the numbers, the
// summary, the Lo Shu cells {"1".."9"}, the Feng Shui profile and the year rule with the year the
// numbers come from.
[[nodiscard]] QJsonObject ReadingJson(const Reading& reading);

} // namespace Kistarra
