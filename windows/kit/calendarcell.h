#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStyledItemDelegate>

#include "engine/daycalendar.h"

class QFont;

// The words of one day of the calendar, line by line, fitted to the room its cell has.
namespace Kistarra {

// Which lines a small cell gives up first: the terms' times, then the stem and branch, then the
// journey directions, with a partner together with those good for both. The day and its star,
// one line, always stay.
enum class CellLineKind { Term, StemBranch, Journey, Day };

struct CellLine {
    CellLineKind kind;
    QString text;
};

// With a partner, the day line carries the sign of a day good for both and a line "both: SE"
// follows the journey.
[[nodiscard]] QList<CellLine> CalendarCellLines(const CalendarDay& day, bool today,
                                                bool withPartner = false);

// Every line, one a line.
[[nodiscard]] QString FullCellText(const QList<CellLine>& lines);

// What the cell's tooltip shows: every line, the day star's names, the period's beginning and the
// directions to avoid with their reasons.
[[nodiscard]] QString CalendarCellToolTip(const CalendarDay& day, const QList<CellLine>& lines);

// The lines that fit the room whole in that font, the others dropped in their order and what
// stays cut short with an ellipsis where it is too wide, so that no line is ever cut in half.
[[nodiscard]] QString FittedCellText(const QList<CellLine>& lines, const QFont& font, QSize room);

// The room for every line of the fullest day the calendar can show, with a partner's line too or
// not, and for the day and its star alone: measured in the font as it is drawn, the fallback font
// of the Chinese characters too.
[[nodiscard]] QSize FullCellRoom(const QFont& font, bool withPartner = false);
[[nodiscard]] QSize SmallestCellRoom(const QFont& font);

// Draws a cell as it is and the chosen one washed with a see-through grey over its own colour, so
// that a chosen good day still reads as good and today's mark stays visible.
class ChosenDayDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

// Between a cell's edges and its text: the item view's text margins and the grid line.
inline constexpr QSize CellMargins{8, 3};

} // namespace Kistarra
