#include "common/layout.h"
#include "programfixture.h"
#include "scoring/frmp.h"
#include "scripteddialogs.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace kelvane;

namespace {

ProfileParticulars fullParticulars() {
    ProfileParticulars p;
    p.code = QStringLiteral("12");
    p.firstName = QStringLiteral("مريم");
    p.familyName = QStringLiteral("احمدي");
    p.age = QStringLiteral("27");
    p.maritalStatus = QStringLiteral("مجرد");
    p.sex = QStringLiteral("زن");
    p.education = QStringLiteral("ليسانس");
    p.group = QStringLiteral("B");
    p.date = QStringLiteral("1402/03/14");
    return p;
}

QStringList scores(std::initializer_list<const char *> values) {
    QStringList result;
    for (const char *value : values)
        result << QString::fromUtf8(value);
    return result;
}

const QColor kPurple(128, 0, 128);

} // namespace

class TestFrmp : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void barWidths_data();
    void barWidths();
    void gridStaysVisibleAcrossBars();
    void particularsAndClinic();
    void particularsText_data();
    void particularsText();
    void refillLeavesNothingOfPrevious();
    void redrawnAtActivation();
    void closingShowsScoringWindow();

private:
    QLabel *label(const QString &name) const;

    ProgramFixture *m_fixture = nullptr;
    ScriptedDialogs *m_dialogs = nullptr;
    QWidget *m_scoring = nullptr;
};

void TestFrmp::init() {
    m_fixture = new ProgramFixture;
    m_dialogs = new ScriptedDialogs;
    m_scoring = new QWidget; // stands in for the scoring window beneath the sheet
}

void TestFrmp::cleanup() {
    delete Frmp::loaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete m_scoring;
    delete m_dialogs;
    delete m_fixture;
}

QLabel *TestFrmp::label(const QString &name) const {
    QLabel *found = Frmp::loaded()->findChild<QLabel *>(name);
    if (!found)
        qFatal("no label %s", qPrintable(name));
    return found;
}

void TestFrmp::barWidths_data() {
    QTest::addColumn<QString>("score");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("end");

    QTest::newRow("0") << QStringLiteral("0") << 0 << 3120;
    QTest::newRow("10, on the first grid line") << QStringLiteral("10") << 1650 << 4770;
    QTest::newRow("37") << QStringLiteral("37") << 6105 << 9225;
    QTest::newRow("50, on the right border") << QStringLiteral("50") << 8250 << 11370;
    QTest::newRow("empty") << QString() << 0 << 3120;
    QTest::newRow("no number") << QStringLiteral("x") << 0 << 3120;
    QTest::newRow("negative drawn as none") << QStringLiteral("-4") << 0 << 3120;
}

void TestFrmp::barWidths() {
    QFETCH(QString, score);
    QFETCH(int, width);
    QFETCH(int, end);

    // The score under test in every row, so each bar is checked.
    Frmp *sheet = Frmp::open(m_scoring, fullParticulars(), QStringList(8, score));
    for (int row = 0; row < 8; ++row) {
        QCOMPARE(sheet->barWidthTwips(row), width);
        QCOMPARE(Frmp::BarLeft + sheet->barWidthTwips(row), end);
        auto *bar = sheet->findChild<QFrame *>(QStringLiteral("shpr(%1)").arg(row));
        QCOMPARE(bar->x(), twips(3120));
        QCOMPARE(bar->width(), twips(width));
        QCOMPARE(bar->height(), twips(300));
    }
}

void TestFrmp::gridStaysVisibleAcrossBars() {
    Frmp *sheet = Frmp::open(m_scoring, fullParticulars(),
                             scores({"50", "0", "50", "50", "50", "50", "50", "50"}));
    const QImage picture = sheet->grab().toImage();
    auto *bar = sheet->findChild<QFrame *>(QStringLiteral("shpr(0)"));
    const int top = bar->y() + 1;
    const int bottom = bar->y() + bar->height() - 2;

    // Beside a grid line the bar is purple; on it, the line shows up against the purple.
    for (int score : {10, 20, 30, 40}) {
        const int x = twips(3120 + 165 * score);
        QCOMPARE(picture.pixelColor(x + 3, (top + bottom) / 2), kPurple);
        int marked = 0;
        for (int y = top; y <= bottom; ++y)
            marked += picture.pixelColor(x, y) != kPurple;
        QVERIFY2(marked >= (bottom - top) / 2, qPrintable(QStringLiteral("grid at %1").arg(score)));
    }
    // Where there is no bar the line is dark on the white sheet.
    auto *empty = sheet->findChild<QFrame *>(QStringLiteral("shpr(1)"));
    int dark = 0;
    for (int y = empty->y(); y < empty->y() + twips(300); ++y)
        dark += qGray(picture.pixel(twips(4770), y)) < 128;
    QVERIFY(dark > 0);
}

void TestFrmp::particularsAndClinic() {
    m_fixture->exec(
        QStringLiteral("UPDATE \"Theme\" SET \"Name\" = ?, \"Adress\" = ?"),
        {QStringLiteral("کلينيک 'آرامش'"), QStringLiteral("تهران، خيابان \"آزادي\" 10%")}, true);
    Frmp::open(m_scoring, fullParticulars(),
               scores({"37", "20", "10", "50", "0", "45", "11.5", "33"}));

    const QStringList expected{QStringLiteral("12"), QStringLiteral("مريم احمدي"),
                               QStringLiteral("27"), QStringLiteral("مجرد"),
                               QStringLiteral("زن"), QStringLiteral("ليسانس"),
                               QStringLiteral("B"),  QStringLiteral("1402/03/14")};
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(label(QStringLiteral("lblSID(%1)").arg(i))->text(), expected.at(i));
    // The strip's caption uses keheh; the export text's code label (below) uses Arabic kaf.
    QCOMPARE(label(QStringLiteral("lblscale(38)"))->text(), QStringLiteral("کدآزمودني:"));
    QCOMPARE(label(QStringLiteral("lblscale(38)"))->text().at(0), QChar(0x06A9));

    const QStringList raw = scores({"37", "20", "10", "50", "0", "45", "11.5", "33"});
    const QList<int> widths{6105, 3300, 1650, 8250, 0, 7425, 1898, 5445};
    for (int row = 0; row < 8; ++row) {
        QCOMPARE(label(QStringLiteral("LblKHAM(%1)").arg(row))->text(), raw.at(row));
        QCOMPARE(Frmp::loaded()->barWidthTwips(row), widths.at(row));
    }
    QCOMPARE(label(QStringLiteral("Label1(5)"))->text(), QStringLiteral("کلينيک 'آرامش'"));
    QCOMPARE(label(QStringLiteral("Label1(6)"))->text(),
             QStringLiteral("تهران، خيابان \"آزادي\" 10%"));
    QCOMPARE(label(QStringLiteral("Label2"))->text(),
             QStringLiteral("Gardner's multiple intelligence test "));
}

void TestFrmp::particularsText_data() {
    QTest::addColumn<ProfileParticulars>("particulars");
    QTest::addColumn<QString>("expected");

    QTest::newRow("full")
        << fullParticulars()
        << QStringLiteral(
               "كدآزمودني:12 -  نام: مريم -  نام خانوادگي:  احمدي -  جنس:  زن -  سن:  27 "
               "-  وضعيت تاهل:   مجرد -  تحصيلات:  ليسانس");
    QTest::newRow("empty") << ProfileParticulars()
                           << QStringLiteral("كدآزمودني: -  نام:  -  نام خانوادگي:   -  جنس:   -  "
                                             "سن:   -  وضعيت تاهل:    -  تحصيلات:  ");
}

void TestFrmp::particularsText() {
    QFETCH(ProfileParticulars, particulars);
    QFETCH(QString, expected);
    QCOMPARE(expected.at(0), QChar(0x0643)); // Arabic kaf, not keheh

    Frmp *sheet = Frmp::open(m_scoring, particulars, QStringList(8, QStringLiteral("10")));
    QCOMPARE(sheet->particularsTextShown(), expected);
    QCOMPARE(sheet->findChild<QPlainTextEdit *>(QStringLiteral("Txtid"))->toPlainText(), expected);
    QVERIFY(sheet->findChild<QPlainTextEdit *>(QStringLiteral("Txtid"))->isHidden());
}

void TestFrmp::refillLeavesNothingOfPrevious() {
    Frmp *first = Frmp::open(m_scoring, fullParticulars(), QStringList(8, QStringLiteral("50")));

    ProfileParticulars other;
    other.code = QStringLiteral("13");
    other.firstName = QStringLiteral("Reza");
    Frmp *second = Frmp::open(m_scoring, other, scores({"", "10", "", "", "", "", "", ""}));
    QCOMPARE(second, first); // one sheet, refilled

    QCOMPARE(label(QStringLiteral("lblSID(0)"))->text(), QStringLiteral("13"));
    QCOMPARE(label(QStringLiteral("lblSID(1)"))->text(), QStringLiteral("Reza "));
    for (int i = 2; i < 8; ++i)
        QCOMPARE(label(QStringLiteral("lblSID(%1)").arg(i))->text(), QString());
    for (int row = 0; row < 8; ++row) {
        QCOMPARE(second->barWidthTwips(row), row == 1 ? 1650 : 0);
        QCOMPARE(label(QStringLiteral("LblKHAM(%1)").arg(row))->text(),
                 row == 1 ? QStringLiteral("10") : QString());
    }
    QCOMPARE(second->particularsTextShown(), Frmp::particularsText(other));
    QVERIFY(!second->particularsTextShown().contains(QStringLiteral("مريم")));
}

void TestFrmp::redrawnAtActivation() {
    Frmp *sheet = Frmp::open(m_scoring, fullParticulars(), QStringList(8, QStringLiteral("20")));
    // The raw-score label changed behind the bars' back: activation draws them again.
    label(QStringLiteral("LblKHAM(2)"))->setText(QStringLiteral("30"));
    QCOMPARE(sheet->barWidthTwips(2), 3300);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(sheet, &activate);
    QCOMPARE(sheet->barWidthTwips(2), 4950);
    QCOMPARE(sheet->barWidthTwips(3), 3300);
}

void TestFrmp::closingShowsScoringWindow() {
    Frmp *sheet = Frmp::open(m_scoring, fullParticulars(), QStringList(8, QStringLiteral("20")));
    QVERIFY(!m_scoring->isVisible());
    QVERIFY(sheet->findChild<QPushButton *>(QStringLiteral("cmdr"))->isHidden());
    QCOMPARE(sheet->findChild<QPushButton *>(QStringLiteral("cmdexit"))->text(),
             QStringLiteral("خروج"));

    QPointer<Frmp> closing(sheet);
    sheet->findChild<QPushButton *>(QStringLiteral("cmdexit"))->click();
    QVERIFY(m_scoring->isVisible());
    QVERIFY(!Frmp::loaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!closing);

    // The next filling loads a fresh sheet.
    Frmp *fresh = Frmp::open(m_scoring, ProfileParticulars(), QStringList(8, QStringLiteral("0")));
    QVERIFY(fresh);
    QCOMPARE(label(QStringLiteral("lblSID(0)"))->text(), QString());
}

QTEST_MAIN(TestFrmp)
#include "tst_frmp.moc"
