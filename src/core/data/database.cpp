#include "data/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QtEndian>

#include <vector>

namespace kelvane {

namespace {

struct SharedConnection {
    int users = 0;
    int transactionDepth = 0;
    std::vector<std::function<void()>> rollbackHooks;
};

QHash<QString, SharedConnection> &connections() {
    static QHash<QString, SharedConnection> table;
    return table;
}

QString connectionNameFor(const QString &path) {
    return QStringLiteral("kelvane:") + QFileInfo(path).absoluteFilePath();
}

QString fileProblem(const QString &path, const QString &error) {
    return QStringLiteral("فايل بانک اطلاعات باز نشد:\n%1\n\n%2")
        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), error);
}

Status execAll(QSqlDatabase &db, const QStringList &statements) {
    QSqlQuery query(db);
    for (const QString &statement : statements) {
        if (!query.exec(statement))
            return Status::failure(Database::errorText(query.lastError()));
    }
    return Status::success();
}

Status applyPragmas(QSqlDatabase &db) {
    // Rollback journal and full sync: the file alone is the whole database at rest. The journal
    // is kept between writes (its header zeroed), which saves a file creation and a folder sync
    // on every commit.
    return execAll(db, {QStringLiteral("PRAGMA journal_mode = PERSIST"),
                        QStringLiteral("PRAGMA synchronous = FULL"),
                        QStringLiteral("PRAGMA foreign_keys = OFF")});
}

QSqlDatabase openConnection(const QString &name, const QString &path) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
    db.open();
    return db;
}

Status createFile(schema::FileKind kind, const QString &path) {
    const QString building = path + QStringLiteral(".new");
    // The half-built file is never opened by anyone else and is renamed into place only when
    // complete, so it needs no journal on disk.
    const auto removeBuilding = [&building] {
        QFile::remove(building);
        QFile::remove(building + QStringLiteral("-journal"));
    };
    removeBuilding();
    Status status = Status::success();
    {
        const QString name = QStringLiteral("kelvane-create:") + building;
        QSqlDatabase db = openConnection(name, building);
        if (!db.isOpen()) {
            status = Status::failure(Database::errorText(db.lastError()));
        } else {
            status = execAll(db, {QStringLiteral("PRAGMA journal_mode = MEMORY")});
            if (status && db.transaction()) {
                status = execAll(db, schema::createStatements(kind));
                if (status && kind == schema::FileKind::Main) {
                    QSqlQuery count(QStringLiteral("SELECT count(*) FROM \"QUS\""), db);
                    if (!count.next() || count.value(0).toInt() != 80)
                        status = Status::failure(QStringLiteral("متن سوالات در برنامه کامل نيست"));
                }
                if (status && !db.commit())
                    status = Status::failure(Database::errorText(db.lastError()));
                if (!status)
                    db.rollback();
            } else if (status) {
                status = Status::failure(Database::errorText(db.lastError()));
            }
            db.close();
        }
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }
    // A journal beside a file that is gone belongs to nothing; left there, SQLite would play it
    // into the new file.
    if (status && QFileInfo::exists(path + QStringLiteral("-journal")) &&
        !QFile::remove(path + QStringLiteral("-journal")))
        status = Status::failure(QStringLiteral("فايل %1 پاک نشد")
                                     .arg(QFileInfo(path).fileName() + QStringLiteral("-journal")));
    if (status && !QFile::rename(building, path))
        status = Status::failure(QStringLiteral("نام فايل تغيير نکرد"));
    if (!status)
        removeBuilding();
    return status;
}

// The raw header names the file as ours, readable even while a journal blocks SQLite's reads.
bool headerIsOurs(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(100);
    return header.size() == 100 && header.startsWith(QByteArray("SQLite format 3\0", 16)) &&
           qFromBigEndian<qint32>(header.constData() + 68) == schema::ApplicationId;
}

Status checkTables(schema::FileKind kind, const QString &path, const QString &name, bool readOnly) {
    Status status = Status::success();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        // Read-only: a file that is not ours must stay exactly as it was.
        if (readOnly)
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            status = Status::failure(Database::errorText(db.lastError()));
        } else {
            QSqlQuery query(db);
            if (!query.exec(QStringLiteral("PRAGMA application_id")) || !query.next()) {
                status = Status::failure(Database::errorText(query.lastError()));
            } else if (query.value(0).toInt() != schema::ApplicationId) {
                status = Status::failure(QStringLiteral("اين فايل، بانک اطلاعات Kelvane نيست"));
            } else {
                for (const QString &table : schema::tables(kind)) {
                    QSqlQuery probe(db);
                    if (!probe.exec(QStringLiteral("SELECT 1 FROM %1 LIMIT 1")
                                        .arg(schema::quoted(table)))) {
                        status = Status::failure(Database::errorText(probe.lastError()));
                        break;
                    }
                }
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return status;
}

Status checkFile(schema::FileKind kind, const QString &path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return Status::failure(QStringLiteral("اين مسير فايل نيست"));
    const QString name = QStringLiteral("kelvane-check:") + info.absoluteFilePath();
    Status status = checkTables(kind, path, name, true);
    // A commit cut short by a crash or power loss leaves a journal that must be rolled back
    // before the file can be read, which a read-only connection cannot do. The file is ours,
    // so SQLite may roll its own journal back.
    if (!status && QFileInfo::exists(path + QStringLiteral("-journal")) && headerIsOurs(path))
        status = checkTables(kind, path, name, false);
    return status;
}

} // namespace

QString Database::errorText(const QSqlError &error) {
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.driverText();
    if (text.isEmpty())
        text = error.text();
    return text.trimmed();
}

Status Database::prepare(schema::FileKind kind, const QString &path) {
    const Status status = QFileInfo::exists(path) ? checkFile(kind, path) : createFile(kind, path);
    if (!status)
        return Status::failure(fileProblem(path, status.error()));
    return status;
}

Status Database::prepareAll(const QString &folder) {
    for (const auto kind : {schema::FileKind::Main, schema::FileKind::Settings}) {
        const Status status = prepare(kind, folder + QLatin1Char('/') + schema::fileName(kind));
        if (!status)
            return status;
    }
    return Status::success();
}

Status Database::acquire(const QString &path, QString *connectionName) {
    const QString name = connectionNameFor(path);
    auto &table = connections();
    auto it = table.find(name);
    if (it == table.end()) {
        if (!QFileInfo(path).isFile())
            return Status::failure(fileProblem(path, QStringLiteral("فايل پيدا نشد")));
        QSqlDatabase db = openConnection(name, path);
        Status status = db.isOpen() ? applyPragmas(db) : Status::failure(errorText(db.lastError()));
        if (!status) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            return Status::failure(fileProblem(path, status.error()));
        }
        it = table.insert(name, SharedConnection{});
    }
    ++it->users;
    *connectionName = name;
    return Status::success();
}

void Database::release(const QString &connectionName) {
    auto &table = connections();
    auto it = table.find(connectionName);
    if (it == table.end() || --it->users > 0)
        return;
    table.erase(it);
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

QSqlDatabase Database::connection(const QString &connectionName) {
    return QSqlDatabase::database(connectionName, false);
}

bool Database::inTransaction(const QString &connectionName) {
    const auto it = connections().constFind(connectionName);
    return it != connections().cend() && it->transactionDepth > 0;
}

void Database::onRollback(const QString &connectionName, std::function<void()> restore) {
    auto it = connections().find(connectionName);
    if (it != connections().end() && it->transactionDepth > 0)
        it->rollbackHooks.push_back(std::move(restore));
}

Status Database::transaction(const QString &connectionName, const std::function<Status()> &work) {
    auto it = connections().find(connectionName);
    if (it == connections().end())
        return Status::failure(QStringLiteral("بانک اطلاعات باز نيست"));
    if (it->transactionDepth > 0) {
        ++it->transactionDepth;
        const Status status = work();
        --connections()[connectionName].transactionDepth;
        return status;
    }
    QSqlDatabase db = connection(connectionName);
    QSqlQuery begin(db);
    if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return Status::failure(errorText(begin.lastError()));
    it->transactionDepth = 1;
    Status status = work();
    if (status) {
        QSqlQuery commit(db);
        if (!commit.exec(QStringLiteral("COMMIT")))
            status = Status::failure(errorText(commit.lastError()));
    }
    SharedConnection &shared = connections()[connectionName];
    shared.transactionDepth = 0;
    std::vector<std::function<void()>> hooks;
    hooks.swap(shared.rollbackHooks);
    if (!status) {
        QSqlQuery rollback(db);
        rollback.exec(QStringLiteral("ROLLBACK"));
        for (auto hook = hooks.rbegin(); hook != hooks.rend(); ++hook)
            (*hook)();
    }
    return status;
}

} // namespace kelvane
