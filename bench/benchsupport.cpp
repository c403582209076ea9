#include "benchsupport.h"

#include "data/database.h"
#include "platform/programfolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTextStream>

#include <sqlite3.h>

#include <algorithm>
#include <climits>
#include <cstdio>

bool generateProgramFolder(const QString &folder, int count) {
    QDir().mkpath(folder);
    const kelvane::Status prepared = kelvane::Database::prepareAll(folder);
    if (!prepared) {
        std::fprintf(stderr, "%s\n", qPrintable(prepared.error()));
        return false;
    }
    sqlite3 *db = nullptr;
    if (sqlite3_open((folder + QStringLiteral("/DBKelvane.mdb")).toUtf8().constData(), &db) !=
        SQLITE_OK)
        return false;
    const char *firstNames[] = {"علي", "مريم", "رضا", "زهرا", "حسين", "فاطمه", "Sara", "Omid"};
    const char *lastNames[] = {"احمدي", "رضايي", "محمدي", "کريمي", "حسيني", "Karimi", "Tehrani"};
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt *ide = nullptr;
    sqlite3_stmt *answer = nullptr;
    sqlite3_prepare_v2(
        db,
        "INSERT INTO IDE (Code, FName, LName, Sen, Tahsil, \"Date\", \"Time\", Taahol, Jens, "
        "\"Group\") "
        "VALUES (?, ?, ?, '30', 'ليسانس', '1403/01/15', '10:00:00', 'مجرد', 'زن', ?)",
        -1, &ide, nullptr);
    QString answerSql = QStringLiteral("INSERT INTO Answer (Code");
    for (int n = 1; n <= 80; ++n)
        answerSql += QStringLiteral(", \"%1\"").arg(n);
    answerSql +=
        QStringLiteral(") VALUES (?") + QStringLiteral(", ?").repeated(80) + QLatin1Char(')');
    sqlite3_prepare_v2(db, answerSql.toUtf8().constData(), -1, &answer, nullptr);
    QRandomGenerator random(1234);
    for (int i = 1; i <= count; ++i) {
        const QByteArray code = QByteArray::number(i);
        const QByteArray group(1, char('A' + i % 7));
        sqlite3_bind_text(ide, 1, code.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(ide, 2, firstNames[random.bounded(8)], -1, SQLITE_STATIC);
        sqlite3_bind_text(ide, 3, lastNames[random.bounded(7)], -1, SQLITE_STATIC);
        sqlite3_bind_text(ide, 4, group.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(ide);
        sqlite3_reset(ide);
        sqlite3_bind_text(answer, 1, code.constData(), -1, SQLITE_TRANSIENT);
        for (int n = 1; n <= 80; ++n) {
            const char digit[2] = {char('1' + random.bounded(5)), 0};
            sqlite3_bind_text(answer, n + 1, digit, -1, SQLITE_TRANSIENT);
        }
        if (sqlite3_step(answer) != SQLITE_DONE) {
            std::fprintf(stderr, "insert failed: %s\n", sqlite3_errmsg(db));
            sqlite3_close(db);
            return false;
        }
        sqlite3_reset(answer);
    }
    sqlite3_finalize(ide);
    sqlite3_finalize(answer);
    const bool ok = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

double medianMicros(int runs, const std::function<void()> &work,
                    const std::function<void()> &setup) {
    std::vector<double> times;
    times.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        if (setup)
            setup();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1000.0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void reportHeader(const QString &title, int testTakers) {
    std::printf("\n%s — %d registered test-takers (median times)\n", qPrintable(title), testTakers);
    std::printf("%-44s %12s %12s %8s\n", "operation", "Kelvane", "baseline", "ratio");
}

void reportRow(const QString &operation, double oursMicros, double baselineMicros) {
    const double ratio = baselineMicros > 0 ? oursMicros / baselineMicros : 0;
    std::printf("%-44s %10.1f µs %10.1f µs %7.2fx\n", qPrintable(operation), oursMicros,
                baselineMicros, ratio);
    std::fflush(stdout);
}

QString benchFolder(int argc, char **argv, int count) {
    if (argc > 1)
        return QString::fromLocal8Bit(argv[1]);
    const QString folder = QDir::temp().filePath(QStringLiteral("kelvane-bench-%1").arg(count));
    if (!QFileInfo::exists(folder + QStringLiteral("/DBKelvane.mdb"))) {
        std::printf("generating %d test-takers in %s …\n", count, qPrintable(folder));
        if (!generateProgramFolder(folder, count))
            return QString();
    }
    return folder;
}

namespace {

// QT_QPA_PLATFORM must be set before the application exists; returns argc for its constructor.
int &offscreenUnlessChosen(int &argc) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
}

QString journalOf(const QString &mainFile) {
    return mainFile + QStringLiteral("-journal");
}

} // namespace

BenchRun::BenchRun(int &argc, char **argv)
    : m_app(offscreenUnlessChosen(argc), argv), m_folder(benchFolder(argc, argv, TestTakers)) {
    if (!ready())
        return;
    kelvane::ProgramFolder::setPath(m_folder);
    m_hadJournal = QFile::exists(journalOf(mainFile()));
    kelvane::DialogService::install(&m_dialogs);
}

BenchRun::~BenchRun() {
    if (!ready())
        return;
    kelvane::DialogService::install(nullptr);
    // With every connection closed, a journal this run created is no longer needed.
    if (!m_hadJournal)
        QFile::remove(journalOf(mainFile()));
}

QString BenchRun::mainFile() const {
    return m_folder + QStringLiteral("/DBKelvane.mdb");
}

RawDb::RawDb(const QString &path) {
    sqlite3_open(path.toUtf8().constData(), &m_db);
    sqlite3_busy_timeout(m_db, 2000);
    exec("PRAGMA journal_mode = PERSIST");
    exec("PRAGMA synchronous = FULL");
}

RawDb::~RawDb() {
    sqlite3_close(m_db);
}

void RawDb::exec(const QByteArray &sql, const QList<QByteArray> &values) {
    run(sql, values, 0);
}

QList<QByteArray> RawDb::row(const QByteArray &sql, const QList<QByteArray> &values) {
    return run(sql, values, INT_MAX);
}

QByteArray RawDb::value(const QByteArray &sql, const QList<QByteArray> &values) {
    return run(sql, values, 1).value(0);
}

QList<QByteArray> RawDb::run(const QByteArray &sql, const QList<QByteArray> &values, int keep) {
    sqlite3_stmt *statement = nullptr;
    QList<QByteArray> first;
    if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "prepare failed: %s\n%s\n", sqlite3_errmsg(m_db), sql.constData());
        return first;
    }
    // A null value stands for NULL both ways, so what row() read is written back as it was.
    for (int i = 0; i < values.size(); ++i) {
        if (values.at(i).isNull())
            sqlite3_bind_null(statement, i + 1);
        else
            sqlite3_bind_text(statement, i + 1, values.at(i).constData(), -1, SQLITE_TRANSIENT);
    }
    bool firstRow = true;
    int result;
    while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, i));
            if (firstRow && i < keep)
                first << (text ? QByteArray(text) : QByteArray());
        }
        firstRow = false;
    }
    if (result != SQLITE_DONE)
        std::fprintf(stderr, "step failed: %s\n%s\n", sqlite3_errmsg(m_db), sql.constData());
    sqlite3_finalize(statement);
    return first;
}
