#pragma once

#include <array>

#include <QDate>
#include <QString>
#include <QStringView>
#include <QTimeZone>

#include "engine/calendarsigns.h"

// The calendar's signs in words: the day star's name, the marks where a period of it begins, the
// reasons to avoid a direction, a zone with its offset, and the line saying whose calendar it is.
namespace Kistarra {

// The signs a good day carries beside its shade, one for a single direction and another for two or
// more, so that both survive black-and-white printing; and the marks of a period's first day.
inline constexpr QStringView OneJourneySign = u"\u25CB";      // ○
inline constexpr QStringView SeveralJourneysSign = u"\u25CE"; // ◎
inline constexpr QStringView AscendingMark = u"\u25B2";       // ▲
inline constexpr QStringView DescendingMark = u"\u25BC";      // ▼
// A day good for a journey for both the person and the partner, in one direction or more.
inline constexpr QStringView BothJourneySign = u"\u2665"; // ♥

// The journey sign for a day (nothing for none) and the period mark (nothing where none begins).
[[nodiscard]] QStringView JourneySign(const CalendarDay& day);
// BothJourneySign for a day good for a journey for both, nothing otherwise.
[[nodiscard]] QStringView BothSign(const CalendarDay& day);
[[nodiscard]] QStringView PeriodSign(const CalendarDay& day);

// What a screen reader adds to a day's name: ", avoid North: Dark Sword, Breaker; South: Five
// Yellow" and ", ascending period begins".
[[nodiscard]] QString CalendarDayExtras(const CalendarDay& day);

// "一白水星" and "One White Water" .. "九紫火星" and "Nine Purple Fire"; empty outside 1..9.
[[nodiscard]] QString DayStarCharacters(int star);
[[nodiscard]] QString DayStarName(int star);

// "ascending period begins" / "descending period begins", and "陽遁始め" / "陰遁始め".
[[nodiscard]] QString PeriodMarkText(PeriodMark mark);
[[nodiscard]] QString PeriodMarkCharacters(PeriodMark mark);

// "Dark Sword, Breaker": the reasons, in the order the charts list them.
[[nodiscard]] QString AvoidReasonsText(AvoidReasons reasons);

// "North: Dark Sword, Breaker; South: Five Yellow", NoDirection's dash for none.
[[nodiscard]] QString AvoidedDirectionsText(const std::array<AvoidReasons, 9>& avoided);

// "丙午 Fire Horse".
[[nodiscard]] QString StemBranchText(StemBranch stemBranch);

// "Ann, principal number 3 · times in Asia/Tokyo, UTC+09:00"; without a name, "Principal number
// 3 · times in ..."; the offset the one in force on the day. With a partner, "Ann, principal
// number 3, and Bob, principal number 1 · times in ...".
[[nodiscard]] QString CalendarOwnerText(const QString& name, const MonthCalendar& calendar,
                                        const QString& partnerName, QDate day);

// "Year 丙午 Fire Horse · month 庚子 Metal Rat from 7 December": the calendar month's solar year
// and each solar month it touches, with the day each begins.
[[nodiscard]] QString CalendarCycleText(const MonthCalendar& calendar);

} // namespace Kistarra
