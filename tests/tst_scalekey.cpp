#include "scoring/scalekey.h"

#include <QTest>

using namespace kelvane;

namespace {

QStringList filled(const QString &answer) {
    return QStringList(80, answer);
}

// Every question of the given numbers gets the answer; the rest keep theirs.
QStringList with(QStringList answers, std::initializer_list<int> questions, const QString &answer) {
    for (int n : questions)
        answers[n - 1] = answer;
    return answers;
}

QStringList texts(std::initializer_list<const char *> scores) {
    QStringList result;
    for (const char *score : scores)
        result << QString::fromLatin1(score);
    return result;
}

QStringList same(const QString &score) {
    return QStringList(8, score);
}

QString everyQuestionListed() {
    QString list;
    for (int n = 1; n <= 80; ++n)
        list += QStringLiteral(" %1  ").arg(n);
    return list;
}

} // namespace

class TestScaleKey : public QObject {
    Q_OBJECT

private slots:
    void keyCoversEveryQuestionOnce();
    void scores_data();
    void scores();
};

void TestScaleKey::keyCoversEveryQuestionOnce() {
    QCOMPARE(scalekey::questions(1), (QVector<int>{1, 9, 17, 25, 33, 41, 49, 57, 65, 73}));
    QCOMPARE(scalekey::questions(8), (QVector<int>{8, 16, 24, 32, 40, 48, 56, 64, 72, 80}));
    QVector<int> seen(81, 0);
    for (int k = 1; k <= 8; ++k) {
        const QVector<int> numbers = scalekey::questions(k);
        QCOMPARE(numbers.size(), 10);
        for (int n : numbers) {
            QCOMPARE((n - 1) % 8 + 1, k);
            ++seen[n];
        }
    }
    QCOMPARE(seen.count(1), 80);
    QVERIFY(scalekey::questions(0).isEmpty());
    QVERIFY(scalekey::questions(9).isEmpty());
}

void TestScaleKey::scores_data() {
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("expected"); // zabani … tabeatgara
    QTest::addColumn<QString>("unanswered");

    const QStringList ones = filled(QStringLiteral("1"));

    QTest::newRow("all 5") << filled(QStringLiteral("5")) << same(QStringLiteral("50"))
                           << QString();
    QTest::newRow("all 1") << ones << same(QStringLiteral("10")) << QString();
    QTest::newRow("questions 1-8 unanswered, others 5")
        << with(filled(QStringLiteral("5")), {1, 2, 3, 4, 5, 6, 7, 8}, QString())
        << same(QStringLiteral("45")) << QStringLiteral(" 1   2   3   4   5   6   7   8  ");
    QTest::newRow("missing answer row")
        << QStringList() << same(QStringLiteral("0")) << everyQuestionListed();
    QTest::newRow("all empty") << filled(QString()) << same(QStringLiteral("0"))
                               << everyQuestionListed();
    QTest::newRow("3 on the linguistic questions, 1 elsewhere")
        << with(ones, {1, 9, 17, 25, 33, 41, 49, 57, 65, 73}, QStringLiteral("3"))
        << texts({"30", "10", "10", "10", "10", "10", "10", "10"}) << QString();
    // Question n answered with (scale - 1) % 5 + 1: the scales get 1 … 5, then 1, 2, 3.
    QStringList stepped;
    for (int n = 1; n <= 80; ++n)
        stepped << QString::number((n - 1) % 8 % 5 + 1);
    QTest::newRow("each scale its own digit")
        << stepped << texts({"10", "20", "30", "40", "50", "10", "20", "30"}) << QString();
    QTest::newRow("leading blanks skipped")
        << with(ones, {9}, QStringLiteral("  4"))
        << texts({"13", "10", "10", "10", "10", "10", "10", "10"}) << QString();
    QTest::newRow("x counts 0 and is answered")
        << with(ones, {2}, QStringLiteral("x"))
        << texts({"10", "9", "10", "10", "10", "10", "10", "10"}) << QString();
    QTest::newRow("stored 0 is answered")
        << with(ones, {80}, QStringLiteral("0"))
        << texts({"10", "10", "10", "10", "10", "10", "10", "9"}) << QString();
    QTest::newRow("a blank is answered")
        << with(ones, {5}, QStringLiteral(" "))
        << texts({"10", "10", "10", "10", "9", "10", "10", "10"}) << QString();
    QTest::newRow("digits after text ignored")
        << with(ones, {7, 15}, QStringLiteral("4a5"))
        << texts({"10", "10", "10", "10", "10", "10", "16", "10"}) << QString();
    QTest::newRow("fraction kept")
        << with(ones, {1}, QStringLiteral("2.5"))
        << texts({"11.5", "10", "10", "10", "10", "10", "10", "10"}) << QString();
    QTest::newRow("3 and 17 unanswered")
        << with(ones, {3, 17}, QString()) << texts({"9", "10", "9", "10", "10", "10", "10", "10"})
        << QStringLiteral(" 3   17  ");
}

void TestScaleKey::scores() {
    QFETCH(QStringList, answers);
    QFETCH(QStringList, expected);
    QFETCH(QString, unanswered);

    QCOMPARE(scalekey::scoreTexts(answers), expected);
    QCOMPARE(scalekey::unansweredList(answers), unanswered);
}

QTEST_MAIN(TestScaleKey)
#include "tst_scalekey.moc"
