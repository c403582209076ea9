#include "data/database.h"
#include "data/schema.h"
#include "programfixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTest>

using namespace kelvane;

namespace {
QByteArray digest(const QString &path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}
} // namespace

class TestDatabase : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStartCreatesBothFiles() {
        ProgramFixture fixture;
        QCOMPARE(fixture.count(QStringLiteral("QUS")), 80);
        QStringList ids;
        for (int n = 1; n <= 80; ++n)
            ids << QString::number(n);
        QCOMPARE(fixture.column(QStringLiteral("SELECT ID FROM QUS ORDER BY RowOrder")), ids);
        QCOMPARE(fixture.value(QStringLiteral("SELECT count(DISTINCT QU) FROM QUS WHERE QU <> ''")),
                 QStringLiteral("80"));
        QCOMPARE(fixture.count(QStringLiteral("IDE")), 0);
        QCOMPARE(fixture.count(QStringLiteral("Answer")), 0);

        // One settings row: empty particulars, logo flag not ticked.
        QCOMPARE(fixture.count(QStringLiteral("Theme"), true), 1);
        QCOMPARE(fixture.value(
                     QStringLiteral(
                         "SELECT Name || Adress || T1 || T2 || T3 || T4 || T5 || T6 FROM Theme"),
                     {}, true),
                 QString(""));
        QCOMPARE(fixture.value(QStringLiteral("SELECT Check1 FROM Theme"), {}, true),
                 QStringLiteral("0"));

        for (bool settings : {false, true}) {
            QCOMPARE(fixture.value(QStringLiteral("PRAGMA application_id"), {}, settings).toInt(),
                     schema::ApplicationId);
            QCOMPARE(fixture.value(QStringLiteral("PRAGMA user_version"), {}, settings).toInt(),
                     schema::Version);
        }
        // The program's own connections: a rollback journal (never WAL) and full sync.
        QString connection;
        QVERIFY(Database::acquire(fixture.mainDatabase(), &connection));
        {
            QSqlQuery query(Database::connection(connection));
            QVERIFY(query.exec(QStringLiteral("PRAGMA journal_mode")) && query.next());
            QCOMPARE(query.value(0).toString(), QStringLiteral("persist"));
            QVERIFY(query.exec(QStringLiteral("PRAGMA synchronous")) && query.next());
            QCOMPARE(query.value(0).toInt(), 2);
        }
        Database::release(connection);

        // Exactly the fields of each table, all text, plus the stored-order key.
        const QStringList answerColumns =
            fixture.column(QStringLiteral("SELECT name FROM pragma_table_info('Answer')"));
        QCOMPARE(answerColumns, QStringList{schema::OrderKey} + schema::answerFields());
        QCOMPARE(fixture.column(QStringLiteral("SELECT name FROM pragma_table_info('IDE')")),
                 QStringList{schema::OrderKey} + schema::ideFields());
        QCOMPARE(fixture.value(QStringLiteral(
                     "SELECT count(*) FROM pragma_table_info('IDE') WHERE type <> 'TEXT'")),
                 QStringLiteral("1"));
        QVERIFY(!QFile::exists(fixture.mainDatabase() + QStringLiteral(".new")));
        QVERIFY(!QFile::exists(fixture.mainDatabase() + QStringLiteral(".new-journal")));
    }

    void foreignFilesAreRefusedAndLeftUntouched_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text") << QByteArray("not a database at all\n");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("truncated sqlite header") << QByteArray("SQLite format 3\0\x10\x00", 18);
    }
    void foreignFilesAreRefusedAndLeftUntouched() {
        QFETCH(QByteArray, content);
        ProgramFixture fixture(false);
        QFile file(fixture.mainDatabase());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();

        const Status status = Database::prepareAll(fixture.path());
        QVERIFY(!status);
        QVERIFY2(status.error().contains(QStringLiteral("DBKelvane.mdb")),
                 qPrintable(status.error()));
        QVERIFY(status.error().contains(QStringLiteral("باز نشد")));
        QFile reread(fixture.mainDatabase());
        QVERIFY(reread.open(QIODevice::ReadOnly));
        QCOMPARE(reread.readAll(), content);
    }

    void anotherProgramsDatabaseIsRefused() {
        ProgramFixture fixture(false);
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            db.setDatabaseName(fixture.settingsDatabase());
            QVERIFY(db.open());
            QSqlQuery(QStringLiteral("CREATE TABLE Theme (Name TEXT)"), db);
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
        const QByteArray before = digest(fixture.settingsDatabase());
        const Status status = Database::prepareAll(fixture.path());
        QVERIFY(!status);
        QVERIFY2(status.error().contains(QStringLiteral("Theme.skn")), qPrintable(status.error()));
        QCOMPARE(digest(fixture.settingsDatabase()), before);
    }

    void aFolderInPlaceOfTheFileIsRefused() {
        ProgramFixture fixture(false);
        QVERIFY(QDir().mkpath(fixture.mainDatabase()));
        QVERIFY(!Database::prepareAll(fixture.path()));
        QVERIFY(QFileInfo(fixture.mainDatabase()).isDir());
    }

    void existingDatabasesAreKeptAsTheyAre() {
        ProgramFixture fixture;
        fixture.addTestTaker(QStringLiteral("1"));
        const QByteArray before = digest(fixture.mainDatabase());
        QVERIFY(Database::prepareAll(fixture.path()));
        QCOMPARE(digest(fixture.mainDatabase()), before);
        QCOMPARE(fixture.count(QStringLiteral("IDE")), 1);
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
