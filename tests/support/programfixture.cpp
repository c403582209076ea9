#include "programfixture.h"

#include "data/database.h"
#include "platform/programfolder.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {
int fixtureSerial = 0;
}

ProgramFixture::ProgramFixture(bool createDatabases) {
    kelvane::ProgramFolder::setPath(m_dir.path());
    ++fixtureSerial;
    m_mainConnection = QStringLiteral("fixture-main-%1").arg(fixtureSerial);
    m_settingsConnection = QStringLiteral("fixture-settings-%1").arg(fixtureSerial);
    if (createDatabases) {
        const kelvane::Status status = kelvane::Database::prepareAll(m_dir.path());
        if (!status)
            qFatal("cannot create the databases: %s", qPrintable(status.error()));
    }
}

ProgramFixture::~ProgramFixture() {
    for (const QString &name : {m_mainConnection, m_settingsConnection}) {
        if (QSqlDatabase::contains(name)) {
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        }
    }
}

QString ProgramFixture::mainDatabase() const {
    return m_dir.filePath(QStringLiteral("DBKelvane.mdb"));
}
QString ProgramFixture::settingsDatabase() const {
    return m_dir.filePath(QStringLiteral("Theme.skn"));
}

QSqlDatabase ProgramFixture::connection(bool settings) {
    const QString name = settings ? m_settingsConnection : m_mainConnection;
    if (!QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(settings ? settingsDatabase() : mainDatabase());
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
        if (!db.open())
            qFatal("fixture cannot open the database");
    }
    return QSqlDatabase::database(name);
}

void ProgramFixture::exec(const QString &sql, const QVariantList &values, bool settings) {
    QSqlQuery query(connection(settings));
    query.prepare(sql);
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    if (!query.exec())
        QFAIL(qPrintable(QStringLiteral("%1: %2").arg(sql, query.lastError().text())));
}

QStringList ProgramFixture::column(const QString &sql, const QVariantList &values, bool settings) {
    QSqlQuery query(connection(settings));
    query.prepare(sql);
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    QStringList result;
    if (!query.exec()) {
        qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
        return result;
    }
    while (query.next())
        result << query.value(0).toString();
    return result;
}

QString ProgramFixture::value(const QString &sql, const QVariantList &values, bool settings) {
    const QStringList rows = column(sql, values, settings);
    return rows.isEmpty() ? QString() : rows.first();
}

void ProgramFixture::addTestTaker(const QString &code, const QMap<QString, QString> &fields) {
    QStringList names{QStringLiteral("\"Code\"")};
    QStringList marks{QStringLiteral("?")};
    QVariantList values{code};
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        names << QLatin1Char('"') + it.key() + QLatin1Char('"');
        marks << QStringLiteral("?");
        values << (it.value().isNull() ? QStringLiteral("") : it.value());
    }
    exec(QStringLiteral("INSERT INTO \"IDE\" (%1) VALUES (%2)")
             .arg(names.join(','), marks.join(',')),
         values);
}

void ProgramFixture::addAnswers(const QString &code, const QStringList &answers) {
    QStringList names{QStringLiteral("\"Code\"")};
    QStringList marks{QStringLiteral("?")};
    QVariantList values{code};
    for (int i = 0; i < answers.size() && i < 80; ++i) {
        names << QStringLiteral("\"%1\"").arg(i + 1);
        marks << QStringLiteral("?");
        values << (answers.at(i).isNull() ? QStringLiteral("") : answers.at(i)); // never NULL
    }
    exec(QStringLiteral("INSERT INTO \"Answer\" (%1) VALUES (%2)")
             .arg(names.join(','), marks.join(',')),
         values);
}

QStringList ProgramFixture::answers(const QString &code) {
    QStringList fields;
    for (int n = 1; n <= 80; ++n)
        fields << QStringLiteral("\"%1\"").arg(n);
    QSqlQuery query(connection(false));
    query.prepare(
        QStringLiteral("SELECT %1 FROM \"Answer\" WHERE \"Code\" = ? ORDER BY \"RowOrder\"")
            .arg(fields.join(',')));
    query.bindValue(0, code);
    QStringList result;
    if (query.exec() && query.next()) {
        for (int i = 0; i < 80; ++i)
            result << query.value(i).toString();
    }
    return result;
}

int ProgramFixture::count(const QString &table, bool settings) {
    return value(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table), {}, settings).toInt();
}

void ProgramFixture::failWrites(const QString &table, const QString &operation,
                                const QString &error) {
    exec(QStringLiteral("CREATE TRIGGER \"fail_%1_%2\" BEFORE %2 ON \"%1\" BEGIN SELECT "
                        "RAISE(ABORT, '%3'); END")
             .arg(table, operation, error),
         {}, table == QLatin1String("Theme"));
}

void ProgramFixture::allowWrites(const QString &table, const QString &operation) {
    exec(QStringLiteral("DROP TRIGGER IF EXISTS \"fail_%1_%2\"").arg(table, operation), {},
         table == QLatin1String("Theme"));
}

void ProgramFixture::installSkins(const QString &current) {
    const QString source = qEnvironmentVariable("KELVANE_SKIN_SOURCE");
    QDir().mkpath(m_dir.filePath(QStringLiteral("skin")));
    if (!source.isEmpty()) {
        for (const QString &name : QDir(source).entryList({QStringLiteral("*.skn")}, QDir::Files))
            QFile::copy(source + QLatin1Char('/') + name,
                        m_dir.filePath(QStringLiteral("skin/") + name));
    }
    QFile list(m_dir.filePath(QStringLiteral("skin/skin.txt")));
    if (list.open(QIODevice::WriteOnly | QIODevice::Truncate))
        list.write(current.toUtf8() + "\r\n");
}
