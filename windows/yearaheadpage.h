#pragma once

#include <QDate>
#include <QTimeZone>
#include <QWidget>

class QDateEdit;
class QHBoxLayout;
class QLabel;
class QTableWidget;
class QTextEdit;

namespace Kistarra {

class Desktop;
class Frame;
struct Chart;

// The result window's page of the year ahead for one principal number: a date (today's by
// default), when its solar year and solar month begin and end in the chosen time zone, the charts
// of that date's solar year and solar month as Lo Shu squares with South at
// the top, the person's star, the directions to avoid and the favourable ones marked on them, what
// the person's palace brings this year and this month, and the nine-year cycle. Changing the date
// redraws everything. A principal number outside 1..9 has no year ahead: the page says so.
class YearAheadPage : public QWidget {
    Q_OBJECT

public:
    YearAheadPage(int principal, Desktop& desktop, QWidget* parent);
    ~YearAheadPage() override;

    // Puts the page's controls into the window's Tab order, right after `before`.
    void chainFocusAfter(QWidget* before);

    // The zone in which the solar year and month begin (the computer's until told otherwise);
    // redraws the page.
    void setTimeZone(const QTimeZone& zone);

private:
    [[nodiscard]] QHBoxLayout* makeDateRow();
    [[nodiscard]] QHBoxLayout* makeChartRow();
    void showDate(QDate date);
    void showChart(Frame* frame, QTableWidget* grid, const Chart& chart, const QString& title);

    const int m_principal;
    QTimeZone m_zone = QTimeZone::systemTimeZone();
    QDateEdit* m_date = nullptr;
    QLabel* m_zoneLabel = nullptr;
    QLabel* m_solar = nullptr;
    Frame* m_yearFrame = nullptr;
    QTableWidget* m_yearGrid = nullptr;
    Frame* m_monthFrame = nullptr;
    QTableWidget* m_monthGrid = nullptr;
    QTableWidget* m_cycle = nullptr;
    QTextEdit* m_text = nullptr;
};

} // namespace Kistarra
