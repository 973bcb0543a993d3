#include "platform/fonts.h"

#include <QFontDatabase>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace Kistarra {

QFont WindowFont(qreal points, bool bold)
{
    // Asking for a family the system lacks costs a search through every font at each window's
    // first paint, so Verdana is asked for only where it is installed.
    static const bool hasVerdana = QFontDatabase::hasFamily(u"Verdana"_s);
    QFont font;
    font.setFamilies(hasVerdana ? QStringList{u"Verdana"_s, u"DejaVu Sans"_s}
                                : QStringList{u"DejaVu Sans"_s});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace Kistarra
