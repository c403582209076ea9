#pragma once

#include "common/status.h"
#include "data/schema.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>

namespace kelvane {

// One SQLite connection per database file, shared by every data control on that file and
// released when the last one goes. The files use a rollback journal and full sync, so whenever
// no write runs the one file holds every committed row and a byte copy is a complete backup.
class Database {
public:
    // Creates a missing file (schema and seed rows, written beside it and renamed into place),
    // or checks that an existing one is ours. An existing file is never altered or replaced.
    // The failure text is Persian and names the file and the system's error.
    static Status prepare(schema::FileKind kind, const QString &path);
    static Status prepareAll(const QString &folder);

    // Opens (or shares) the connection to an existing file; the name is stable per path.
    static Status acquire(const QString &path, QString *connectionName);
    static void release(const QString &connectionName);
    static QSqlDatabase connection(const QString &connectionName);

    // Runs the work in one transaction: both or neither. A nested call joins the outer one.
    // Data controls that stored or deleted rows inside a transaction that rolls back are put
    // back as they were before.
    static Status transaction(const QString &connectionName, const std::function<Status()> &work);
    static bool inTransaction(const QString &connectionName);
    // Called by data controls inside a transaction: undone state to restore on rollback.
    static void onRollback(const QString &connectionName, std::function<void()> restore);

    static QString errorText(const QSqlError &error);
};

} // namespace kelvane
