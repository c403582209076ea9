// Start-up data work and single-row operations of the main window's data controls, beside the
// same work done with plain SQLite.
#include "benchsupport.h"

#include "data/datacontrol.h"

#include <memory>
#include <vector>

using namespace kelvane;

namespace {

const char *const Tables[][2] = {{"Theme.skn", "Theme"},      {"DBKelvane.mdb", "QUS"},
                                 {"DBKelvane.mdb", "IDE"},    {"DBKelvane.mdb", "Answer"},
                                 {"DBKelvane.mdb", "Answer"}, {"DBKelvane.mdb", "IDE"}};

} // namespace

int main(int argc, char **argv) {
    BenchRun run(argc, argv);
    if (!run.ready())
        return 1;
    const QString &folder = run.folder();
    const QString mainFile = run.mainFile();
    reportHeader(QStringLiteral("Main window data controls"), TestTakers);

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
            db.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY RowOrder LIMIT 1")
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
              medianMicros(201, [&] { raw.exec("SELECT * FROM IDE ORDER BY RowOrder LIMIT 1"); }));

    CodeCycle codes;
    reportRow(QStringLiteral("filter by code (Answer)"),
              medianMicros(201,
                           [&] {
                               answers.setFilter(QStringLiteral("code"),
                                                 QString::fromLatin1(codes.next()));
                           }),
              medianMicros(201, [&] {
                  raw.exec("SELECT * FROM Answer WHERE Code = ? ORDER BY RowOrder LIMIT 1",
                           {codes.next()});
              }));

    reportRow(QStringLiteral("row count (IDE, whole table)"),
              medianMicros(
                  101, [&] { ide.rowCount(); }, [&] { ide.refresh(); }),
              medianMicros(101, [&] { raw.exec("SELECT count(*) FROM IDE"); }));

    reportRow(
        QStringLiteral("row count (IDE, filtered by code)"),
        medianMicros(
            101, [&] { ide.rowCount(); },
            [&] { ide.setFilter(QStringLiteral("Code"), QString::fromLatin1(codes.next())); }),
        medianMicros(101,
                     [&] { raw.exec("SELECT count(*) FROM IDE WHERE Code = ?", {codes.next()}); }));

    // A new answer row: add, set the code, store (a durable write with full sync).
    const double addOurs = medianMicros(51, [&] {
        answers.addNew();
        answers.setField(QStringLiteral("Code"), QStringLiteral("bench"));
        answers.update();
    });
    const double addRaw = medianMicros(51, [&] {
        raw.exec("INSERT INTO Answer (Code) VALUES (?)", {QByteArrayLiteral("bench")});
    });
    reportRow(QStringLiteral("add + update (Answer)"), addOurs, addRaw);
    raw.exec("DELETE FROM Answer WHERE Code = ?", {QByteArrayLiteral("bench")});
    return 0;
}
