#pragma once

#include <QDate>
#include <QPointer>
#include <QTimeZone>
#include <QWidget>

#include "reading/readingoptions.h"

class QDateEdit;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableWidget;
class QTextEdit;

namespace Kistarra {

class Desktop;
class ChartGrid;
class Partner;
class Frame;
class frmCalendar;
struct Chart;
struct StemBranch;
struct YearAhead;

// The result window's page of the year ahead for one principal number: a date (today's by
// default), when its solar year and solar month begin and end in the options' time zone, the charts
// of that date's solar year, solar month and day as Lo Shu squares with South at the top, the
// person's star, the directions to avoid and the favourable ones marked on them, what the person's
// palace brings this year, this month and this day, and the nine-year cycle. Changing the date
// redraws everything; the Calendar button opens the month's calendar, whose chosen day comes back
// here. A principal number outside 1..9 has no year ahead: the page says so.
class YearAheadPage : public QWidget {
    Q_OBJECT

public:
    YearAheadPage(int principal, const ReadingOptions& options, Partner& partner, Desktop& desktop,
                  QWidget* parent);
    ~YearAheadPage() override;

    // Puts the page's controls into the window's Tab order, right after `before`.
    void chainFocusAfter(QWidget* before);

    // Whose year ahead it is: the name the calendar names.
    void setOwnerName(const QString& name);

    // The calendar window while it is open.
    [[nodiscard]] frmCalendar* calendarWindow() const;

signals:
    // The calendar's "Add a Partner…": the person wants to compare with a partner.
    void partnerRequested();

private:
    [[nodiscard]] QHBoxLayout* makeDateRow();
    [[nodiscard]] QGridLayout* makeChartGrid();
    // Draws the page for the date; false when the principal number has no year ahead.
    bool showDate(QDate date);
    void showCharts(const YearAhead& ahead, QDate date, const Chart& dayChart, StemBranch day);
    void showCycle(const YearAhead& ahead);
    void openCalendar();
    void showDay(QDate day);

    const int m_principal;
    QString m_name;
    const ReadingOptions m_options;
    Partner& m_partner;
    const QTimeZone m_zone; // the options' zone, resolved once
    Desktop& m_desktop;
    QDateEdit* m_date = nullptr;
    QLabel* m_zoneLabel = nullptr;
    QPushButton* m_calendarButton = nullptr;
    QLabel* m_solar = nullptr;
    Frame* m_yearFrame = nullptr;
    ChartGrid* m_yearGrid = nullptr;
    Frame* m_monthFrame = nullptr;
    ChartGrid* m_monthGrid = nullptr;
    Frame* m_dayFrame = nullptr;
    ChartGrid* m_dayGrid = nullptr;
    QTableWidget* m_cycle = nullptr;
    QTextEdit* m_text = nullptr;
    QPointer<frmCalendar> m_calendar;
};

} // namespace Kistarra
