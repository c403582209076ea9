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
private:
    // Leaves the main file as a crash in the middle of a commit leaves it: the file half
    // written, its journal complete. Every IDE row's FName is 200 "a".
    static void cutAWriteShort(ProgramFixture &fixture) {
        for (int i = 1; i <= 300; ++i)
            fixture.addTestTaker(QString::number(i),
                                 {{QStringLiteral("FName"), QString(200, 'a')}});
        const QString database = fixture.mainDatabase();
        const QString journal = database + QStringLiteral("-journal");
        const QString crashed = fixture.path() + QStringLiteral("/crashed");
        QVERIFY(QDir().mkpath(crashed));
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("cut"));
            db.setDatabaseName(database);
            QVERIFY(db.open());
            QSqlQuery query(db);
            for (const char *statement :
                 {"PRAGMA journal_mode = PERSIST", "PRAGMA synchronous = FULL",
                  "PRAGMA cache_size = 2", "BEGIN IMMEDIATE", "UPDATE IDE SET FName = 'b'"})
                QVERIFY2(query.exec(QString::fromLatin1(statement)), statement);
            QVERIFY(QFile::copy(database, crashed + QStringLiteral("/db")));
            QVERIFY(QFile::copy(journal, crashed + QStringLiteral("/journal")));
            QVERIFY(query.exec(QStringLiteral("ROLLBACK")));
            query = QSqlQuery();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("cut"));
        for (const QString &file : {database, journal})
            QVERIFY(QFile::remove(file));
        QVERIFY(QFile::copy(crashed + QStringLiteral("/db"), database));
        QVERIFY(QFile::copy(crashed + QStringLiteral("/journal"), journal));
    }

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

    void aWriteCutShortIsRolledBackAtTheNextStart() {
        ProgramFixture fixture;
        cutAWriteShort(fixture);
        const QString database = fixture.mainDatabase();

        const Status status = Database::prepareAll(fixture.path());
        QVERIFY2(status, qPrintable(status.error()));
        // Read through a connection of its own: the fixture's still holds the replaced file.
        QString connection;
        QVERIFY(Database::acquire(database, &connection));
        {
            QSqlQuery query(Database::connection(connection));
            QVERIFY(query.exec(QStringLiteral("PRAGMA integrity_check")) && query.next());
            QCOMPARE(query.value(0).toString(), QStringLiteral("ok"));
            QVERIFY(query.exec(QStringLiteral("SELECT count(*) FROM IDE WHERE FName = '%1'")
                                   .arg(QString(200, 'a'))) &&
                    query.next());
            QCOMPARE(query.value(0).toInt(), 300);
        }
        Database::release(connection);
    }

    void anOrphanedJournalIsNotPlayedIntoANewFile() {
        ProgramFixture fixture;
        cutAWriteShort(fixture);
        // The crashed file was deleted by hand; its journal stayed.
        QVERIFY(QFile::remove(fixture.mainDatabase()));
        const Status status = Database::prepareAll(fixture.path());
        QVERIFY2(status, qPrintable(status.error()));
        QString connection;
        QVERIFY(Database::acquire(fixture.mainDatabase(), &connection));
        {
            QSqlQuery query(Database::connection(connection));
            QVERIFY(query.exec(QStringLiteral("PRAGMA integrity_check")) && query.next());
            QCOMPARE(query.value(0).toString(), QStringLiteral("ok"));
            QVERIFY(query.exec(QStringLiteral("SELECT count(*) FROM QUS")) && query.next());
            QCOMPARE(query.value(0).toInt(), 80);
        }
        Database::release(connection);
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
