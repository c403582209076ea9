#include "common/jalalidate.h"

namespace kelvane {

namespace {

constexpr int kEpochYear = 1332;
constexpr int kCycleYears = 33;
// Any 33 consecutive years hold exactly 8 leap years.
constexpr qint64 kCycleDays = kCycleYears * 365 + 8;

QDate epochDate() {
    return QDate(1953, 3, 21);
}

int yearLength(int year) {
    return IsJalaliLeap(year) ? 366 : 365;
}

} // namespace

bool IsJalaliLeap(int year) {
    int r = year % kCycleYears;
    if (r < 0)
        r += kCycleYears;
    switch (r) {
    case 1:
    case 5:
    case 9:
    case 13:
    case 17:
    case 22:
    case 26:
    case 30:
        return true;
    default:
        return false;
    }
}

std::optional<JalaliYmd> JalaliFromDays(qint64 daysFromEpoch) {
    if (daysFromEpoch < 0)
        return std::nullopt;

    const qint64 cycles = daysFromEpoch / kCycleDays;
    qint64 rest = daysFromEpoch % kCycleDays;
    int year = kEpochYear + static_cast<int>(cycles * kCycleYears);
    while (rest >= yearLength(year)) {
        rest -= yearLength(year);
        ++year;
    }

    JalaliYmd ymd;
    ymd.year = year;
    if (rest < 186) {
        ymd.month = static_cast<int>(rest / 31) + 1;
        ymd.day = static_cast<int>(rest % 31) + 1;
    } else {
        rest -= 186;
        ymd.month = static_cast<int>(rest / 30) + 7;
        ymd.day = static_cast<int>(rest % 30) + 1;
    }
    return ymd;
}

QString JalaliDate(const QDate &date, int style) {
    if (!date.isValid() || style < 0 || style > 4)
        return QString();
    const std::optional<JalaliYmd> ymd = JalaliFromDays(epochDate().daysTo(date));
    if (!ymd)
        return QString();

    const QString year = QString::number(ymd->year);
    const QString month = QString::number(ymd->month);
    const QString day = QString::number(ymd->day);
    const QChar blank(u' ');
    // QDate counts Monday = 1 .. Sunday = 7.
    const int weekday = date.dayOfWeek() % 7 + 1;

    switch (style) {
    case 0:
        return QStringLiteral("%1/%2/%3")
            .arg(ymd->year)
            .arg(ymd->month, 2, 10, QLatin1Char('0'))
            .arg(ymd->day, 2, 10, QLatin1Char('0'));
    case 1:
        return day + blank + JalaliMonthName(ymd->month) + blank + year;
    case 2:
        return JalaliWeekdayName(weekday) + blank + year + u'/' + month + u'/' + day;
    case 3:
        return JalaliWeekdayName(weekday) + blank + day + blank + JalaliMonthName(ymd->month) +
               blank + year;
    case 4:
        return year + u'.' + month + u'.' + day;
    }
    return QString();
}

QString JalaliDate(const QDateTime &dateTime, int style) {
    if (!dateTime.isValid())
        return QString();
    return JalaliDate(dateTime.date(), style);
}

QString JalaliMonthName(int month) {
    switch (month) {
    case 1:
        return QStringLiteral("فروردين");
    case 2:
        return QStringLiteral("ارديبهشت");
    case 3:
        return QStringLiteral("خرداد");
    case 4:
        return QStringLiteral("تير");
    case 5:
        return QStringLiteral("مرداد");
    case 6:
        return QStringLiteral("شهريور");
    case 7:
        return QStringLiteral("مهر");
    case 8:
        return QStringLiteral("آبان");
    case 9:
        return QStringLiteral("آذر");
    case 10:
        return QStringLiteral("دي");
    case 11:
        return QStringLiteral("بهمن");
    case 12:
        return QStringLiteral("اسفند");
    }
    return QString();
}

QString JalaliWeekdayName(int weekday) {
    switch (weekday) {
    case 1:
        return QStringLiteral("يکشنبه");
    case 2:
        return QStringLiteral("دوشنبه");
    case 3:
        return QStringLiteral("سه شنبه");
    case 4:
        return QStringLiteral("چهارشنبه");
    case 5:
        return QStringLiteral("پنجشنبه");
    case 6:
        return QStringLiteral("جمعه");
    case 7:
        return QStringLiteral("شنبه");
    }
    return QString();
}

} // namespace kelvane
