#include "platform/fonts.h"

#include <QFontDatabase>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace Kistarra {

QFont WindowFont(qreal points, bool bold)
{
    // Asking for a family the system lacks costs a search through every font at each window's
    // first paint, so Verdana is asked for only where it is installed. Its styles tell without
    // the alias search of QFontDatabase::hasFamily, which loads the system's font configuration
    // a second way.
    static const bool hasVerdana = !QFontDatabase::styles(u"Verdana"_s).isEmpty();
    QFont font;
    font.setFamilies(hasVerdana ? QStringList{u"Verdana"_s, u"DejaVu Sans"_s}
                                : QStringList{u"DejaVu Sans"_s});
    font.setPointSizeF(points);
    font.setBold(bold);
    // The program's texts are Latin, which needs no shaping: the glyphs are placed by their
    // advances alone, without kerning, as the classic Windows text drawing places them. Text
    // of scripts that need shaping is still shaped. Laying out the reading costs half as much.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

} // namespace Kistarra
