#pragma once

#include <QWidget>

#include "engine/daycalendar.h"

class QLabel;

namespace Kistarra {

class ChartGrid;
class Frame;

// The chosen day of the calendar in full, beside the grid: its star and the period it begins, its
// chart as the year ahead draws it, the directions good for a journey, those to avoid with their
// reasons, and the solar terms that fall on it; with a partner, the directions good for both.
class DayPanel : public QWidget {
    Q_OBJECT

public:
    explicit DayPanel(QWidget* parent);

    void showDay(const CalendarDay& day, bool withPartner = false);
    // An empty panel, for a month without a calendar.
    void clear();

private:
    QLabel* m_title = nullptr;
    Frame* m_frame = nullptr;
    ChartGrid* m_chart = nullptr;
    QLabel* m_journey = nullptr;
    QLabel* m_together = nullptr;
    QLabel* m_avoid = nullptr;
    QLabel* m_terms = nullptr;
};

} // namespace Kistarra
