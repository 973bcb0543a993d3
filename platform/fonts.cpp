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
    static const QStringList families = [] {
        QStringList found;
        if (!QFontDatabase::styles(u"Verdana"_s).isEmpty())
            found << u"Verdana"_s;
        found << u"DejaVu Sans"_s;
        // The stems, branches and terms in Chinese characters come from the font the program's
        // package brings (or the other one it accepts), so that they look the same on every
        // machine; the system's own choice only where neither is installed.
        for (const QString& cjk : {u"IPAGothic"_s, u"Noto Sans CJK JP"_s}) {
            if (!QFontDatabase::styles(cjk).isEmpty()) {
                found << cjk;
                break;
            }
        }
        return found;
    }();
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setBold(bold);
    // The program's texts are Latin, which needs no shaping: the glyphs are placed by their
    // advances alone, without kerning, as the classic Windows text drawing places them. Text
    // of scripts that need shaping is still shaped. Laying out the reading costs half as much.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

} // namespace Kistarra
