// Start-up data work and single-row operations of the main window's data controls, beside the
// same work done with plain SQLite.
#include "benchsupport.h"

#include "data/datacontrol.h"
#include "platform/programfolder.h"

#include <QCoreApplication>

#include <sqlite3.h>

#include <memory>
#include <vector>

using namespace kelvane;

namespace {

struct RawDb {
    sqlite3 *db = nullptr;
    explicit RawDb(const QString &path) {
        sqlite3_open(path.toUtf8().constData(), &db);
        sqlite3_exec(db, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);
    }
    ~RawDb() { sqlite3_close(db); }
    // Runs a query to the end, binding one text value when given.
    void run(const char *sql, const QByteArray &value = QByteArray()) {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
        if (!value.isNull())
            sqlite3_bind_text(statement, 1, value.constData(), -1, SQLITE_TRANSIENT);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(statement); ++i)
                sqlite3_column_text(statement, i);
        }
        sqlite3_finalize(statement);
    }
};

const char *const Tables[][2] = {{"Theme.skn", "Theme"},      {"DBKelvane.mdb", "QUS"},
                                 {"DBKelvane.mdb", "IDE"},    {"DBKelvane.mdb", "Answer"},
                                 {"DBKelvane.mdb", "Answer"}, {"DBKelvane.mdb", "IDE"}};

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    constexpr int Count = 100000;
    const QString folder = benchFolder(argc, argv, Count);
    if (folder.isEmpty())
        return 1;
    ProgramFolder::setPath(folder);
    const QString mainFile = folder + QStringLiteral("/DBKelvane.mdb");
    reportHeader(QStringLiteral("Main window data controls"), Count);

    // Opening the six controls of the main window: connection, query, first row.
    const double openOurs = medianMicros(21, [&] {
        std::vector<std::unique_ptr<DataControl>> controls;
        for (const auto &table : Tables) {
            controls.push_back(std::make_unique<DataControl>(
                folder + QLatin1Char('/') + QLatin1String(table[0]), QLatin1String(table[1])));
            controls.back()->open();
        }
    });
    const double openRaw = medianMicros(21, [&] {
        RawDb settings(folder + QStringLiteral("/Theme.skn"));
        RawDb main(mainFile);
        for (const auto &table : Tables) {
            RawDb &db = QLatin1String(table[0]) == QLatin1String("Theme.skn") ? settings : main;
            db.run(QStringLiteral("SELECT * FROM \"%1\" ORDER BY RowOrder LIMIT 1")
                       .arg(QLatin1String(table[1]))
                       .toUtf8());
        }
    });
    reportRow(QStringLiteral("open the six data controls (start-up)"), openOurs, openRaw);

    DataControl ide(mainFile, QStringLiteral("IDE"));
    DataControl answers(mainFile, QStringLiteral("Answer"));
    ide.open();
    answers.open();
    RawDb raw(mainFile);

    reportRow(QStringLiteral("refresh (IDE)"), medianMicros(201, [&] { ide.refresh(); }),
              medianMicros(201, [&] { raw.run("SELECT * FROM IDE ORDER BY RowOrder LIMIT 1"); }));

    int probe = 0;
    auto nextCode = [&] { return QByteArray::number(1 + (probe++ * 7919) % Count); };
    reportRow(
        QStringLiteral("filter by code (Answer)"),
        medianMicros(
            201,
            [&] { answers.setFilter(QStringLiteral("code"), QString::fromLatin1(nextCode())); }),
        medianMicros(201, [&] {
            raw.run("SELECT * FROM Answer WHERE Code = ? ORDER BY RowOrder LIMIT 1", nextCode());
        }));

    reportRow(QStringLiteral("row count (IDE, whole table)"),
              medianMicros(
                  101, [&] { ide.rowCount(); }, [&] { ide.refresh(); }),
              medianMicros(101, [&] { raw.run("SELECT count(*) FROM IDE"); }));

    reportRow(
        QStringLiteral("row count (IDE, filtered by code)"),
        medianMicros(
            101, [&] { ide.rowCount(); },
            [&] { ide.setFilter(QStringLiteral("Code"), QString::fromLatin1(nextCode())); }),
        medianMicros(101, [&] { raw.run("SELECT count(*) FROM IDE WHERE Code = ?", nextCode()); }));

    // A new answer row: add, set the code, store (a durable write with full sync).
    const double addOurs = medianMicros(51, [&] {
        answers.addNew();
        answers.setField(QStringLiteral("Code"), QStringLiteral("bench"));
        answers.update();
    });
    const double addRaw = medianMicros(
        51, [&] { raw.run("INSERT INTO Answer (Code) VALUES (?)", QByteArrayLiteral("bench")); });
    reportRow(QStringLiteral("add + update (Answer)"), addOurs, addRaw);
    raw.run("DELETE FROM Answer WHERE Code = ?", QByteArrayLiteral("bench"));
    return 0;
}
