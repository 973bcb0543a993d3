#pragma once

#include <QFont>

namespace Kistarra {

// The program's one typeface at a size: Verdana, or DejaVu Sans on systems without it, with IPA
// Gothic (or Noto Sans CJK) for the Chinese characters. The windows, the printed report and the
// PDF all use it.
[[nodiscard]] QFont WindowFont(qreal points, bool bold = false);

} // namespace Kistarra
