#pragma once

#include <array>
#include <optional>
#include <span>

#include <QDate>
#include <QTimeZone>

#include "engine/daychart.h"
#include "engine/solarterms.h"
#include "engine/yearahead.h"

// The day star and a month of days on the true solar terms in a chosen time zone: for each day its
// stem and branch, its star and chart, and the directions good for a journey and for a move.
namespace Kistarra {

// The day star of a date on the local dates of the solstices in the zone; nothing outside the
// years of DateRange or for an invalid zone.
[[nodiscard]] std::optional<DayStar> DayStarOf(QDate date, const QTimeZone& zone);

// One day for a principal number: its stem and branch, its star and its chart.
struct DayAhead {
    StemBranch stemBranch;
    DayStar star;
    Chart chart;
};

// The day of a date; nothing where DayStarOf gives nothing or for a principal outside 1..9.
[[nodiscard]] std::optional<DayAhead> ComputeDayAhead(int principal, QDate date,
                                                      const QTimeZone& zone);

// A solar term whose local date falls on a day.
struct TermOnDay {
    SolarTerm term = SolarTerm::MinorCold;
    LocalInstant local;
};

struct CalendarDay {
    QDate date;
    StemBranch stemBranch;
    DayStar star;
    Chart chart;
    PalaceSet journey; // favourable in the month's and the day's chart
    // With a partner: favourable in both charts for the partner's principal number too.
    PalaceSet journeyTogether;
    int moveIndex = 0; // into MonthCalendar::moves
    std::array<TermOnDay, 2> terms{};
    int termCount = 0;

    [[nodiscard]] std::span<const TermOnDay> dayTerms() const
    {
        return std::span(terms).first(static_cast<std::size_t>(termCount));
    }
};

// The directions good for a move, from the first day of a solar month the calendar month touches.
struct MoveDirections {
    SolarDate solar;
    QDate from; // the month's first day, or the calendar month's when it began before
    Chart year;
    Chart month;
    PalaceSet move;         // favourable in the year's and the month's chart
    PalaceSet moveTogether; // with a partner: for the partner's principal number too
};

// One calendar month of days for one person in one time zone, and with a partner the directions
// good for both: a plain value.
struct MonthCalendar {
    int principal = 0;
    int partnerPrincipal = 0; // 0 without a partner
    int year = 0;
    int month = 0;
    QTimeZone zone;
    std::array<CalendarDay, 31> days{};
    int dayCount = 0;
    std::array<MoveDirections, 3> moves{};
    int moveCount = 0;

    [[nodiscard]] std::span<const CalendarDay> monthDays() const
    {
        return std::span(days).first(static_cast<std::size_t>(dayCount));
    }
    [[nodiscard]] std::span<const MoveDirections> monthMoves() const
    {
        return std::span(moves).first(static_cast<std::size_t>(moveCount));
    }
    [[nodiscard]] bool hasPartner() const { return partnerPrincipal != 0; }
};

// With a partner's principal number, also the directions good for both. Nothing for a principal
// number (the partner's too, when given) outside 1..9, a month outside DateRange::ContainsMonth,
// or an invalid zone.
[[nodiscard]] std::optional<MonthCalendar>
ComputeMonthCalendar(int principal, int year, int month, const QTimeZone& zone,
                     std::optional<int> partnerPrincipal = std::nullopt);

} // namespace Kistarra
