#pragma once

#include <optional>

#include <QDate>
#include <QPointer>
#include <QTimeZone>
#include <QWidget>

#include "engine/daycalendar.h"
#include "platform/calendarpage.h"
#include "reading/readingoptions.h"

class QLabel;
class QPushButton;
class QKeyEvent;
class QResizeEvent;
class QTableWidget;

namespace Kistarra {

class Desktop;
class DayPanel;
class Partner;

// The calendar of one month for one person: a grid of weeks, each day with its number, day star,
// stem and branch, the directions good for a journey that day and the solar terms that fall on
// it; above it whose calendar it is, the solar year's and months' stems and branches and the
// directions good for a move in each solar month the month touches; beside it the chosen day in
// full. The arrow keys move the chosen day, Page Up and Page Down the month, Ctrl+G picks a month;
// Enter shows the chosen day on the year ahead, Escape closes. The month prints, and saves as a
// PDF, on one landscape A4 page. When the run's partner holds someone, now or later, every day
// shows the directions good for a journey for both beside the person's, and the header the
// directions good for a move for both.
class frmCalendar : public QWidget {
    Q_OBJECT

public:
    // The month of day, in the options' time zone; the partner, where there is a holder, is read
    // with the same options and followed while the window is open.
    frmCalendar(int principal, QDate day, const ReadingOptions& options, Desktop& desktop,
                Partner* partner = nullptr, QWidget* parent = nullptr);
    ~frmCalendar() override;

    [[nodiscard]] QDate chosenDay() const { return m_day; }
    // Chooses the day, turning to its month; a day outside the calendar's months is not taken.
    void chooseDay(QDate day);
    // Whose calendar it is: the name the header and the printed month show.
    void setOwnerName(const QString& name);

signals:
    // The person asked to see this day on the year ahead.
    void dayShown(QDate day);
    // The person asked to add a partner (or another one), whose days good for both to show.
    void partnerRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void makeControls();
    void makeGrid();
    [[nodiscard]] QWidget* makeButtonRow();
    [[nodiscard]] QSize defaultSize();
    void showMonth();
    void showCells();
    void selectChosenDay();
    void fillCell(int row, int column, const CalendarDay* day);
    void turnMonth(int months);
    void pickMonth();
    void showHeader();
    [[nodiscard]] bool roomForPanel() const;
    void placePanel();
    void printMonth();
    void saveMonthAsPdf();
    [[nodiscard]] CalendarPage page() const;
    [[nodiscard]] int leadingCells() const;
    // The partner's name and principal number from the holder; false when it holds no one.
    bool takePartner();
    void partnerChanged();
    [[nodiscard]] bool withPartner() const { return m_partnerPrincipal.has_value(); }
    [[nodiscard]] QString legendText() const;
    [[nodiscard]] QString movesText() const;

    const int m_principal;
    QString m_name;
    const ReadingOptions m_options;
    const QTimeZone m_zone;
    Desktop& m_desktop;
    QPointer<Partner> m_partner;
    QString m_partnerName;
    std::optional<int> m_partnerPrincipal;
    QDate m_day;
    std::optional<MonthCalendar> m_calendar;
    QLabel* m_title = nullptr;
    QLabel* m_owner = nullptr;
    QLabel* m_cycle = nullptr;
    DayPanel* m_panel = nullptr;
    QPushButton* m_panelButton = nullptr;
    QLabel* m_moves = nullptr;
    QLabel* m_legend = nullptr;
    QTableWidget* m_grid = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_today = nullptr;
    QPushButton* m_next = nullptr;
};

} // namespace Kistarra
