#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace kelvane {

struct JalaliYmd {
    int year = 0;
    int month = 0;
    int day = 0;
};

// Leap years follow the 33-year cycle; the older 32-year rule wrongly made 1436 and 1437 both leap.
bool IsJalaliLeap(int year);

// Day 0 is 1332/01/01 (Gregorian 21 March 1953). Negative counts have no result.
std::optional<JalaliYmd> JalaliFromDays(qint64 daysFromEpoch);

// Styles, for 1395/05/12:
//   0 "1395/05/12"   1 "12 <month> 1395"   2 "<weekday> 1395/5/12"
//   3 "<weekday> 12 <month> 1395"   4 "1395.5.12"
// Empty for an invalid date, a date before the epoch or an unknown style.
QString JalaliDate(const QDate &date, int style = 0);
QString JalaliDate(const QDateTime &dateTime, int style = 0);

// month 1..12, empty otherwise.
QString JalaliMonthName(int month);
// Sunday = 1 .. Saturday = 7, empty otherwise.
QString JalaliWeekdayName(int weekday);

} // namespace kelvane
