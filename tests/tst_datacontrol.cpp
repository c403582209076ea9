#include "data/database.h"
#include "data/datacontrol.h"
#include "platform/programfolder.h"
#include "programfixture.h"

#include <QSignalSpy>
#include <QTest>

using namespace kelvane;

class TestDataControl : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ProgramFixture> fixture;
    DataControl *open(const QString &table) {
        auto *control = new DataControl(fixture->mainDatabase(), table, this);
        const Status status = control->open();
        if (!status)
            qFatal("open: %s", qPrintable(status.error()));
        return control;
    }

private Q_SLOTS:
    void init() { fixture = std::make_unique<ProgramFixture>(); }
    void cleanup() {
        qDeleteAll(findChildren<DataControl *>());
        fixture.reset();
    }

    void refreshShowsRowsInStoredOrder() {
        for (const char *code : {"7", "3", "5"})
            fixture->addTestTaker(QString::fromLatin1(code));
        DataControl *ide = open(QStringLiteral("IDE"));
        QCOMPARE(ide->rowCount(), 3);
        QCOMPARE(ide->field(QStringLiteral("Code")), QStringLiteral("7"));
        QVERIFY(ide->moveLast());
        QCOMPARE(ide->field(QStringLiteral("code")), QStringLiteral("5")); // names ignore case

        // Stored order survives VACUUM.
        fixture->exec(QStringLiteral("VACUUM"));
        QVERIFY(ide->refresh());
        QVERIFY(ide->moveLast());
        QCOMPARE(ide->field(QStringLiteral("Code")), QStringLiteral("5"));
    }

    void filterComparesExactText_data() {
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<int>("matches");
        QTest::newRow("plain") << "5" << 1;
        QTest::newRow("leading blank is another code") << " 5" << 1;
        QTest::newRow("leading zero is another code") << "05" << 0;
        QTest::newRow("apostrophe") << "o'brien" << 1;
        QTest::newRow("percent is no wildcard") << "%" << 0;
        QTest::newRow("underscore is no wildcard") << "_" << 0;
        QTest::newRow("case matters") << "O'BRIEN" << 0;
        QTest::newRow("persian") << "۵ علي" << 1;
        QTest::newRow("empty") << "" << 0;
    }
    void filterComparesExactText() {
        QFETCH(QString, wanted);
        QFETCH(int, matches);
        for (const QString &code :
             {QStringLiteral("5"), QStringLiteral(" 5"), QStringLiteral("o'brien"),
              QStringLiteral("۵ علي"), QStringLiteral("50")})
            fixture->addTestTaker(code);
        DataControl *ide = open(QStringLiteral("IDE"));
        QVERIFY(ide->setFilter(QStringLiteral("code"), wanted));
        QCOMPARE(ide->rowCount(), matches);
        QCOMPARE(ide->hasCurrentRow(), matches > 0);
        QCOMPARE(ide->field(QStringLiteral("Code")), matches > 0 ? wanted : QString());
        // A refresh drops the filter and shows every row again.
        QVERIFY(ide->refresh());
        QCOMPARE(ide->rowCount(), 5);
        QCOMPARE(ide->field(QStringLiteral("Code")), QStringLiteral("5"));
    }

    void emptyTableHasNoCurrentRow() {
        DataControl *ide = open(QStringLiteral("IDE"));
        QCOMPARE(ide->rowCount(), 0);
        QVERIFY(!ide->hasCurrentRow());
        QVERIFY(ide->setFilter(QStringLiteral("Code"), QStringLiteral("1")));
        QCOMPARE(ide->rowCount(), 0);
        QCOMPARE(ide->field(QStringLiteral("FName")), QString());
        QVERIFY(!ide->update()); // nothing to store
        QVERIFY(!ide->setFilter(QStringLiteral("NoSuchField"), QStringLiteral("1")));
    }

    void addNewReachesTheFileOnlyByUpdate() {
        DataControl *ide = open(QStringLiteral("IDE"));
        ide->addNew();
        ide->setField(QStringLiteral("Code"), QStringLiteral("9"));
        QVERIFY(ide->refresh()); // dropped
        QCOMPARE(fixture->count(QStringLiteral("IDE")), 0);

        ide->addNew();
        ide->setField(QStringLiteral("Code"), QStringLiteral("9"));
        ide->setField(QStringLiteral("FName"), QStringLiteral("علي \"x\" \\ 100%"));
        QVERIFY(ide->update());
        QCOMPARE(fixture->value(QStringLiteral("SELECT FName FROM IDE WHERE Code = '9'")),
                 QStringLiteral("علي \"x\" \\ 100%"));
        // Fields never set are stored as empty text, not NULL.
        QCOMPARE(fixture->value(QStringLiteral("SELECT count(*) FROM IDE WHERE zabani = ''")),
                 QStringLiteral("1"));
        QCOMPARE(ide->rowCount(), 1);
    }

    void updateWritesOnlyWhatChanged() {
        fixture->addAnswers(QStringLiteral("1"));
        DataControl *first = open(QStringLiteral("Answer"));
        DataControl *second = open(QStringLiteral("Answer"));
        first->setField(QStringLiteral("1"), QStringLiteral("4"));
        second->setField(QStringLiteral("2"), QStringLiteral("5"));
        QVERIFY(first->update());
        QVERIFY(second->update());
        // An unchanged twin stores nothing, so it cannot overwrite the other's answers.
        QVERIFY(first->update());
        const QStringList answers = fixture->answers(QStringLiteral("1"));
        QCOMPARE(answers.at(0), QStringLiteral("4"));
        QCOMPARE(answers.at(1), QStringLiteral("5"));
    }

    void deleteCurrentRemovesOneRow() {
        for (const char *code : {"1", "2", "2"})
            fixture->addTestTaker(QString::fromLatin1(code));
        DataControl *ide = open(QStringLiteral("IDE"));
        QVERIFY(ide->setFilter(QStringLiteral("Code"), QStringLiteral("2")));
        QCOMPARE(ide->rowCount(), 2);
        QVERIFY(ide->deleteCurrent());
        QVERIFY(!ide->hasCurrentRow());
        QCOMPARE(fixture->column(QStringLiteral("SELECT Code FROM IDE ORDER BY RowOrder")),
                 QStringList({QStringLiteral("1"), QStringLiteral("2")}));
    }

    void failedWritesReportTheSystemError() {
        fixture->addTestTaker(QStringLiteral("1"));
        DataControl *ide = open(QStringLiteral("IDE"));
        fixture->failWrites(QStringLiteral("IDE"), QStringLiteral("UPDATE"),
                            QStringLiteral("disk is full"));
        ide->setField(QStringLiteral("FName"), QStringLiteral("x"));
        const Status status = ide->update();
        QVERIFY(!status);
        QVERIFY2(status.error().contains(QStringLiteral("disk is full")),
                 qPrintable(status.error()));
        // The edit is still in the row, so storing again once the cause is gone succeeds.
        QVERIFY(ide->isModified());
        fixture->allowWrites(QStringLiteral("IDE"), QStringLiteral("UPDATE"));
        QVERIFY(ide->update());
        QCOMPARE(fixture->value(QStringLiteral("SELECT FName FROM IDE")), QStringLiteral("x"));

        // A row deleted behind the control's back is not silently "stored".
        fixture->exec(QStringLiteral("DELETE FROM IDE"));
        ide->setField(QStringLiteral("FName"), QStringLiteral("y"));
        QVERIFY(!ide->update());
    }

    void transactionIsAllOrNothing() {
        DataControl *ide = open(QStringLiteral("IDE"));
        DataControl *answer = open(QStringLiteral("Answer"));
        fixture->failWrites(QStringLiteral("Answer"), QStringLiteral("INSERT"));
        ide->addNew();
        ide->setField(QStringLiteral("Code"), QStringLiteral("1"));
        answer->addNew();
        answer->setField(QStringLiteral("Code"), QStringLiteral("1"));
        auto both = [&] {
            return Database::transaction(ide->connectionName(), [&]() -> Status {
                if (Status s = ide->update(); !s)
                    return s;
                return answer->update();
            });
        };
        QVERIFY(!both());
        QCOMPARE(fixture->count(QStringLiteral("IDE")), 0);
        // Both controls are back to their unsaved new rows, ready for another try.
        QVERIFY(ide->isNewRow());
        QVERIFY(answer->isNewRow());
        QCOMPARE(ide->field(QStringLiteral("Code")), QStringLiteral("1"));

        fixture->allowWrites(QStringLiteral("Answer"), QStringLiteral("INSERT"));
        QVERIFY(both());
        QCOMPARE(fixture->count(QStringLiteral("IDE")), 1);
        QCOMPARE(fixture->count(QStringLiteral("Answer")), 1);
    }

    void gridQueriesReadOnlyVisibleRows() {
        for (int i = 1; i <= 6; ++i)
            fixture->addTestTaker(
                QString::number(i),
                {{QStringLiteral("FName"), i % 2 ? QStringLiteral("A") : QStringLiteral("B")},
                 {QStringLiteral("Group"), QStringLiteral("C")}});
        DataControl *ide = open(QStringLiteral("IDE"));
        QVERIFY(ide->setFilter(QStringLiteral("FName"), QStringLiteral("B")));
        QVector<qint64> keys;
        QVERIFY(ide->visibleKeys(&keys));
        QCOMPARE(keys.size(), 3);
        QVector<QPair<qint64, QStringList>> rows;
        QVERIFY(ide->rowsByKeyRange(keys.first(), keys.last(),
                                    {QStringLiteral("Code"), QStringLiteral("Group")}, &rows));
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.at(1).second, QStringList({QStringLiteral("4"), QStringLiteral("C")}));

        QVERIFY(ide->refresh());
        for (const char *code :
             {"20", "05", "3x", " 4", "2", "10", "007", "99999999999999999999", "2"})
            fixture->addTestTaker(QString::fromLatin1(code));
        QVector<qint64> numbers;
        QVERIFY(ide->wholeNumberValues(QStringLiteral("Code"), 2, &numbers));
        QCOMPARE(numbers, QVector<qint64>({2, 2, 2, 3, 4, 5, 6, 10, 20}));

        QStringList names;
        QVERIFY(ide->distinctValues(QStringLiteral("FName"), &names));
        QCOMPARE(names, QStringList({QStringLiteral("A"), QStringLiteral("B"), QString()}));
    }
};

QTEST_GUILESS_MAIN(TestDataControl)
#include "tst_datacontrol.moc"
