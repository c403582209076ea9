#include "common/jalalidate.h"

#include <QCalendar>
#include <QTest>

#include <set>

using namespace kelvane;

namespace {

const QDate kEpoch(1953, 3, 21);

QString ymdText(const JalaliYmd &ymd) {
    return QStringLiteral("%1/%2/%3").arg(ymd.year).arg(ymd.month).arg(ymd.day);
}

} // namespace

class TestJalaliDate : public QObject {
    Q_OBJECT

private slots:
    void matchesQtCalendarUpTo1435();
    void leapYears();
    void consecutiveDaysAdvanceByOne();
    void daysBeforeEpochHaveNoDate();
    void formats_data();
    void formats();
    void dateTimeIgnoresTimeOfDay_data();
    void dateTimeIgnoresTimeOfDay();
    void names_data();
    void names();
    void namesUseArabicYehAndPersianKeheh();
};

void TestJalaliDate::matchesQtCalendarUpTo1435() {
    // Qt's Jalali calendar follows the older rule from 1436 on, so it only serves as a reference
    // up to the end of 1435.
    const QCalendar cal(QCalendar::System::Jalali);
    const QDate last = cal.dateFromParts(1436, 1, 1).addDays(-1);
    QVERIFY(last.isValid());

    int mismatches = 0;
    QString first;
    qint64 n = 0;
    for (QDate d = kEpoch; d <= last; d = d.addDays(1), ++n) {
        const QCalendar::YearMonthDay parts = cal.partsFromDate(d);
        const std::optional<JalaliYmd> ymd = JalaliFromDays(n);
        if (ymd && ymd->year == parts.year && ymd->month == parts.month && ymd->day == parts.day)
            continue;
        if (mismatches++ == 0) {
            first = QStringLiteral("%1: expected %2/%3/%4, got %5")
                        .arg(d.toString(Qt::ISODate))
                        .arg(parts.year)
                        .arg(parts.month)
                        .arg(parts.day)
                        .arg(ymd ? ymdText(*ymd) : QStringLiteral("nothing"));
        }
    }
    QCOMPARE(JalaliFromDays(n - 1)->year, 1435);
    QVERIFY2(mismatches == 0,
             qPrintable(QStringLiteral("%1 mismatches, first %2").arg(mismatches).arg(first)));
}

void TestJalaliDate::leapYears() {
    const std::set<int> expected = {1333, 1337, 1342, 1346, 1350, 1354, 1358, 1362, 1366,
                                    1370, 1375, 1379, 1383, 1387, 1391, 1395, 1399, 1403,
                                    1408, 1412, 1416, 1420, 1424, 1428, 1432, 1436};
    for (int year = 1332; year <= 1437; ++year)
        QVERIFY2(IsJalaliLeap(year) == (expected.count(year) == 1),
                 qPrintable(QString::number(year)));

    // Across year 0 too, to catch a negative modulo.
    for (int year = -200; year <= 3000; ++year) {
        QVERIFY2(!(IsJalaliLeap(year) && IsJalaliLeap(year + 1)),
                 qPrintable(QString::number(year)));
        QVERIFY2(IsJalaliLeap(year) == IsJalaliLeap(year + 33), qPrintable(QString::number(year)));
    }
}

void TestJalaliDate::consecutiveDaysAdvanceByOne() {
    // Well past the Qt reference range, through many whole 33-year cycles.
    JalaliYmd prev = *JalaliFromDays(0);
    QCOMPARE(ymdText(prev), QStringLiteral("1332/1/1"));
    int years = 0;
    for (qint64 n = 1; n <= 200 * 366; ++n) {
        const JalaliYmd cur = *JalaliFromDays(n);
        const int monthLength = prev.month <= 6           ? 31
                                : prev.month <= 11        ? 30
                                : IsJalaliLeap(prev.year) ? 30
                                                          : 29;
        bool ok;
        if (prev.day < monthLength)
            ok = cur.year == prev.year && cur.month == prev.month && cur.day == prev.day + 1;
        else if (prev.month < 12)
            ok = cur.year == prev.year && cur.month == prev.month + 1 && cur.day == 1;
        else
            ok = cur.year == prev.year + 1 && cur.month == 1 && cur.day == 1;
        QVERIFY2(
            ok, qPrintable(
                    QStringLiteral("day %1: %2 after %3").arg(n).arg(ymdText(cur), ymdText(prev))));
        years += cur.year != prev.year;
        prev = cur;
    }
    QVERIFY(years >= 199);
}

void TestJalaliDate::daysBeforeEpochHaveNoDate() {
    QVERIFY(!JalaliFromDays(-1));
    QVERIFY(!JalaliFromDays(-12053));
}

void TestJalaliDate::formats_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("expected");

    QTest::newRow("epoch") << QDate(1953, 3, 21) << 0 << QStringLiteral("1332/01/01");
    QTest::newRow("before epoch") << QDate(1953, 3, 20) << 0 << QString();
    QTest::newRow("before epoch, style 4") << QDate(1900, 1, 1) << 4 << QString();
    QTest::newRow("invalid date") << QDate() << 0 << QString();
    QTest::newRow("end of month 6") << QDate(1953, 9, 22) << 0 << QStringLiteral("1332/06/31");
    QTest::newRow("start of month 7") << QDate(1953, 9, 23) << 0 << QStringLiteral("1332/07/01");
    QTest::newRow("1395 leap end") << QDate(2017, 3, 20) << 0 << QStringLiteral("1395/12/30");
    QTest::newRow("1396 start") << QDate(2017, 3, 21) << 0 << QStringLiteral("1396/01/01");
    QTest::newRow("1399 leap end") << QDate(2021, 3, 20) << 0 << QStringLiteral("1399/12/30");
    QTest::newRow("1400 start") << QDate(2021, 3, 21) << 0 << QStringLiteral("1400/01/01");
    QTest::newRow("1403 leap end") << QDate(2025, 3, 20) << 0 << QStringLiteral("1403/12/30");
    QTest::newRow("1404 start") << QDate(2025, 3, 21) << 0 << QStringLiteral("1404/01/01");
    QTest::newRow("1403/10/11") << QDate(2024, 12, 31) << 0 << QStringLiteral("1403/10/11");
    QTest::newRow("1403/10/11 style 4") << QDate(2024, 12, 31) << 4 << QStringLiteral("1403.10.11");
    QTest::newRow("1436 leap end") << QDate(2058, 3, 20) << 0 << QStringLiteral("1436/12/30");
    QTest::newRow("1437 start") << QDate(2058, 3, 21) << 0 << QStringLiteral("1437/01/01");
    QTest::newRow("1437 common end") << QDate(2059, 3, 20) << 0 << QStringLiteral("1437/12/29");
    QTest::newRow("1438 start") << QDate(2059, 3, 21) << 0 << QStringLiteral("1438/01/01");

    const QDate tuesday(2016, 8, 2);
    QTest::newRow("style 0") << tuesday << 0 << QStringLiteral("1395/05/12");
    QTest::newRow("style 1") << tuesday << 1 << QStringLiteral("12 مرداد 1395");
    QTest::newRow("style 2") << tuesday << 2 << QStringLiteral("سه شنبه 1395/5/12");
    QTest::newRow("style 3") << tuesday << 3 << QStringLiteral("سه شنبه 12 مرداد 1395");
    QTest::newRow("style 4") << tuesday << 4 << QStringLiteral("1395.5.12");
    QTest::newRow("style 5") << tuesday << 5 << QString();
    QTest::newRow("style -1") << tuesday << -1 << QString();

    QTest::newRow("single digit day") << QDate(2016, 7, 23) << 0 << QStringLiteral("1395/05/02");
    QTest::newRow("single digit day, style 4")
        << QDate(2016, 7, 23) << 4 << QStringLiteral("1395.5.2");
    QTest::newRow("epoch is a Saturday") << kEpoch << 2 << QStringLiteral("شنبه 1332/1/1");
    QTest::newRow("Sunday") << QDate(1953, 3, 22) << 3 << QStringLiteral("يکشنبه 2 فروردين 1332");
    QTest::newRow("Friday, month 12")
        << QDate(2025, 3, 14) << 3 << QStringLiteral("جمعه 24 اسفند 1403");
}

void TestJalaliDate::formats() {
    QFETCH(QDate, date);
    QFETCH(int, style);
    QFETCH(QString, expected);

    QCOMPARE(JalaliDate(date, style), expected);
}

void TestJalaliDate::dateTimeIgnoresTimeOfDay_data() {
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("expected");

    QTest::newRow("midnight") << QDateTime(QDate(2016, 8, 2), QTime(0, 0)) << 3
                              << QStringLiteral("سه شنبه 12 مرداد 1395");
    QTest::newRow("last second") << QDateTime(QDate(2016, 8, 2), QTime(23, 59, 59)) << 3
                                 << QStringLiteral("سه شنبه 12 مرداد 1395");
    QTest::newRow("epoch, last second")
        << QDateTime(kEpoch, QTime(23, 59, 59)) << 0 << QStringLiteral("1332/01/01");
    QTest::newRow("before epoch, last second")
        << QDateTime(QDate(1953, 3, 20), QTime(23, 59, 59)) << 0 << QString();
    QTest::newRow("invalid") << QDateTime() << 0 << QString();
}

void TestJalaliDate::dateTimeIgnoresTimeOfDay() {
    QFETCH(QDateTime, dateTime);
    QFETCH(int, style);
    QFETCH(QString, expected);

    QCOMPARE(JalaliDate(dateTime, style), expected);
}

void TestJalaliDate::names_data() {
    QTest::addColumn<bool>("month");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("expected");

    const QStringList months = {
        QStringLiteral("فروردين"), QStringLiteral("ارديبهشت"), QStringLiteral("خرداد"),
        QStringLiteral("تير"),     QStringLiteral("مرداد"),    QStringLiteral("شهريور"),
        QStringLiteral("مهر"),     QStringLiteral("آبان"),     QStringLiteral("آذر"),
        QStringLiteral("دي"),      QStringLiteral("بهمن"),     QStringLiteral("اسفند")};
    const QStringList weekdays = {QStringLiteral("يکشنبه"),  QStringLiteral("دوشنبه"),
                                  QStringLiteral("سه شنبه"), QStringLiteral("چهارشنبه"),
                                  QStringLiteral("پنجشنبه"), QStringLiteral("جمعه"),
                                  QStringLiteral("شنبه")};

    for (int i = 0; i < months.size(); ++i)
        QTest::addRow("month %d", i + 1) << true << i + 1 << months.at(i);
    for (int i = 0; i < weekdays.size(); ++i)
        QTest::addRow("weekday %d", i + 1) << false << i + 1 << weekdays.at(i);
    QTest::newRow("month 0") << true << 0 << QString();
    QTest::newRow("month 13") << true << 13 << QString();
    QTest::newRow("weekday 0") << false << 0 << QString();
    QTest::newRow("weekday 8") << false << 8 << QString();
}

void TestJalaliDate::names() {
    QFETCH(bool, month);
    QFETCH(int, number);
    QFETCH(QString, expected);

    QCOMPARE(month ? JalaliMonthName(number) : JalaliWeekdayName(number), expected);
}

void TestJalaliDate::namesUseArabicYehAndPersianKeheh() {
    // Exact code points, independent of how this file's literals were encoded.
    QCOMPARE(JalaliWeekdayName(1), QString::fromUtf16(u"\u064A\u06A9\u0634\u0646\u0628\u0647"));
    QCOMPARE(JalaliMonthName(10), QString::fromUtf16(u"\u062F\u064A"));
    QCOMPARE(JalaliMonthName(1), QString::fromUtf16(u"\u0641\u0631\u0648\u0631\u062F\u064A\u0646"));

    const QChar persianYeh(0x06CC);
    const QChar arabicKaf(0x0643);
    for (int i = 1; i <= 12; ++i)
        QVERIFY2(!JalaliMonthName(i).contains(persianYeh), qPrintable(QString::number(i)));
    for (int i = 1; i <= 7; ++i) {
        QVERIFY2(!JalaliWeekdayName(i).contains(persianYeh), qPrintable(QString::number(i)));
        QVERIFY2(!JalaliWeekdayName(i).contains(arabicKaf), qPrintable(QString::number(i)));
    }
}

QTEST_APPLESS_MAIN(TestJalaliDate)

#include "tst_jalalidate.moc"
