// Scoring one test-taker and the test-taker directory with its searches, as the user drives
// them, beside the same reads and writes done with plain SQLite. Scores written are put back as
// they were, so runs repeat on the same folder.
#include "benchsupport.h"

#include "app/frm1.h"
#include "app/mainwindowhost.h"
#include "data/datacontrolmodel.h"
#include "data/schema.h"
#include "platform/dialogservice.h"
#include "platform/programfolder.h"
#include "scoring/frmklid.h"
#include "testing/frmcode.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <sqlite3.h>

#include <cstdio>
#include <map>

using namespace kelvane;

namespace {

// Answers every box at once: input boxes from `input`, questions with Yes.
class SilentDialogs : public DialogService {
public:
    QString input;
    int timed = 0;
    int messages = 0;

    void timedMessage(QWidget *, const QString &, int) override { ++timed; }
    Reply message(QWidget *, const Message &message) override {
        ++messages;
        return message.buttons == Buttons::YesNo ? Reply::Yes : Reply::Ok;
    }
    QString inputBox(QWidget *, const QString &, const QString &, const QString &) override {
        return input;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override {
        return QString();
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override {
        return QString();
    }
};

// A plain connection set up as the program sets up its own.
struct RawDb {
    sqlite3 *db = nullptr;
    explicit RawDb(const QString &path) {
        sqlite3_open(path.toUtf8().constData(), &db);
        sqlite3_busy_timeout(db, 2000);
        exec("PRAGMA journal_mode = PERSIST");
        exec("PRAGMA synchronous = FULL");
    }
    ~RawDb() { sqlite3_close(db); }
    RawDb(const RawDb &) = delete;
    RawDb &operator=(const RawDb &) = delete;

    // Runs one statement to the end with text parameters; returns the first row's columns.
    // Failures are reported, since a failed baseline is no baseline.
    QList<QByteArray> exec(const QByteArray &sql, const QList<QByteArray> &values = {}) {
        sqlite3_stmt *statement = nullptr;
        QList<QByteArray> first;
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "prepare failed: %s\n%s\n", sqlite3_errmsg(db), sql.constData());
            return first;
        }
        for (int i = 0; i < values.size(); ++i)
            sqlite3_bind_text(statement, i + 1, values.at(i).constData(), -1, SQLITE_TRANSIENT);
        bool firstRow = true;
        int result;
        while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                const auto *text =
                    reinterpret_cast<const char *>(sqlite3_column_text(statement, i));
                if (firstRow)
                    first << QByteArray(text ? text : "");
            }
            firstRow = false;
        }
        if (result != SQLITE_DONE)
            std::fprintf(stderr, "step failed: %s\n%s\n", sqlite3_errmsg(db), sql.constData());
        sqlite3_finalize(statement);
        return first;
    }
    QByteArray value(const QByteArray &sql, const QList<QByteArray> &values = {}) {
        return exec(sql, values).value(0);
    }
};

QByteArray quotedList(const QStringList &names) {
    QStringList quoted;
    for (const QString &name : names)
        quoted << schema::quoted(name);
    return quoted.join(QStringLiteral(", ")).toUtf8();
}

// The score fields of every test-taker a run touches, as found, to be written back at the end.
class ScoreKeeper {
public:
    explicit ScoreKeeper(RawDb &raw) : m_raw(raw) {}
    void keep(const QByteArray &code) {
        if (m_kept.count(code))
            return;
        m_kept[code] = m_raw.exec(
            "SELECT " + quotedList(schema::scoreFields()) + " FROM IDE WHERE Code = ?", {code});
    }
    void restore() {
        QStringList assignments;
        for (const QString &field : schema::scoreFields())
            assignments << schema::quoted(field) + QStringLiteral(" = ?");
        const QByteArray sql =
            "UPDATE IDE SET " + assignments.join(QStringLiteral(", ")).toUtf8() + " WHERE Code = ?";
        m_raw.exec("BEGIN");
        for (const auto &[code, scores] : m_kept) {
            if (scores.size() == 8) // else the code was not found and nothing was written
                m_raw.exec(sql, QList<QByteArray>(scores) << code);
        }
        m_raw.exec("COMMIT");
        m_kept.clear();
    }

private:
    RawDb &m_raw;
    std::map<QByteArray, QList<QByteArray>> m_kept;
};

template <typename T> T *child(QWidget *window, const char *name) {
    T *widget = window->findChild<T *>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

// Closes a window that brings the main window back on close, and unloads that one too.
void closeAndUnload(QWidget *window) {
    QPointer<QWidget> closing = window;
    closing->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete closing.data();
    delete MainWindowHost::loaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int Count = 100000;
    const QString folder = benchFolder(argc, argv, Count);
    if (folder.isEmpty())
        return 1;
    ProgramFolder::setPath(folder);
    const QString mainFile = folder + QStringLiteral("/DBKelvane.mdb");
    const QString journal = mainFile + QStringLiteral("-journal");
    const bool hadJournal = QFile::exists(journal);
    SilentDialogs dialogs;
    DialogService::install(&dialogs);
    int failures = 0;
    auto expectBoxes = [&](const char *what, int timed, int messages) {
        if (dialogs.timed != timed || dialogs.messages != messages) {
            std::fprintf(stderr, "%s: %d self-closing and %d other boxes, expected %d and %d\n",
                         what, dialogs.timed, dialogs.messages, timed, messages);
            ++failures;
        }
        dialogs.timed = dialogs.messages = 0;
    };

    reportHeader(QStringLiteral("Scoring and the test-taker directory"), Count);
    {
        RawDb raw(mainFile);
        ScoreKeeper scores(raw);
        int probe = 0;
        auto nextCode = [&] { return QByteArray::number(1 + (probe++ * 7919) % Count); };

        // Scoring: the code comes from the input box; every run picks another test-taker.
        constexpr int ScoreRuns = 51;
        QPointer<FrmkLID> scoring = OpenScoring();
        QApplication::processEvents();
        QPushButton *choose = child<QPushButton>(scoring, "Command1");
        auto chooseNext = [&] {
            const QByteArray code = nextCode();
            scores.keep(code);
            dialogs.input = QString::fromLatin1(code);
        };
        const double scoreOurs = medianMicros(
            ScoreRuns, [&] { choose->click(); },
            [&] {
                QApplication::processEvents();
                chooseNext();
            });
        expectBoxes("choose and score", ScoreRuns, 0);

        const QByteArray answerSql = "SELECT " + quotedList(schema::answerFields()) +
                                     " FROM Answer WHERE Code = ? ORDER BY RowOrder LIMIT 1";
        const QByteArray ideSql = "SELECT " + quotedList(schema::ideFields()) +
                                  " FROM IDE WHERE Code = ? ORDER BY RowOrder LIMIT 1";
        QStringList assignments;
        for (const QString &field : schema::scoreFields())
            assignments << schema::quoted(field) + QStringLiteral(" = ?");
        const QByteArray updateSql =
            "UPDATE IDE SET " + assignments.join(QStringLiteral(", ")).toUtf8() + " WHERE Code = ?";
        // Reads both rows and sums the answers of each scale (questions k, k+8, …, k+72).
        auto rawScores = [&](const QByteArray &code) {
            const QList<QByteArray> answers = raw.exec(answerSql, {code});
            raw.exec(ideSql, {code});
            QList<QByteArray> sums;
            for (int scale = 1; scale <= 8; ++scale) {
                int sum = 0;
                for (int question = scale; question <= 80; question += 8)
                    sum += answers.value(question).toInt();
                sums << QByteArray::number(sum);
            }
            return sums;
        };
        const double scoreRaw = medianMicros(ScoreRuns, [&] {
            const QByteArray code = nextCode();
            scores.keep(code);
            raw.exec(updateSql, rawScores(code) << code);
        });
        reportRow(QStringLiteral("choose and score one test-taker"), scoreOurs, scoreRaw);

        // The same test-taker twice: the second click finds the scores stored and writes nothing.
        const double rescoreOurs = medianMicros(
            ScoreRuns, [&] { choose->click(); },
            [&] {
                QApplication::processEvents();
                chooseNext();
                choose->click();
            });
        expectBoxes("score again", 2 * ScoreRuns, 0);
        const double rescoreRaw = medianMicros(ScoreRuns, [&] { rawScores(nextCode()); });
        reportRow(QStringLiteral("  the same, scores unchanged (no write)"), rescoreOurs,
                  rescoreRaw);
        closeAndUnload(scoring);
        scores.restore();

        // The directory: opening it includes the first paint of the grid.
        constexpr int OpenRuns = 15;
        QPointer<FrmCode> directory;
        const double openOurs = medianMicros(
            OpenRuns,
            [&] {
                directory = OpenDirectory();
                QApplication::processEvents();
            },
            [&] {
                if (directory)
                    closeAndUnload(directory);
                QApplication::processEvents();
            });
        const QByteArray gridSql =
            "SELECT Code, FName, LName, \"Group\" FROM IDE ORDER BY RowOrder LIMIT 50";
        const double openRaw = medianMicros(OpenRuns, [&] {
            raw.exec("SELECT count(*) FROM IDE");
            raw.exec(gridSql);
        });
        reportRow(QStringLiteral("open the directory (first paint)"), openOurs, openRaw);

        // Searches: the box is emptied untimed (its own search then lists nobody), then the
        // value goes in and the grid is painted.
        auto searchBench = [&](const char *boxName, const QString &value, const char *field) {
            QComboBox *box = child<QComboBox>(directory, boxName);
            const double ours = medianMicros(
                51,
                [&] {
                    box->setEditText(value);
                    QApplication::processEvents();
                },
                [&] {
                    box->setEditText(QString());
                    QApplication::processEvents();
                });
            const QByteArray where =
                " FROM IDE WHERE " + schema::quoted(QString::fromLatin1(field)).toUtf8() + " = ?";
            const double baseline = medianMicros(51, [&] {
                raw.exec("SELECT count(*)" + where, {value.toUtf8()});
                raw.exec("SELECT Code, FName, LName, \"Group\"" + where +
                             " ORDER BY RowOrder LIMIT 50",
                         {value.toUtf8()});
            });
            return std::make_pair(ours, baseline);
        };
        const QString name = QStringLiteral("رضا");
        const auto [nameOurs, nameRaw] = searchBench("DataCombo6", name, "FName");
        const int nameRows = directory->listModel()->rowCount();
        reportRow(QStringLiteral("name search (%1 rows)").arg(nameRows), nameOurs, nameRaw);
        const auto [groupOurs, groupRaw] = searchBench("Combo3", QStringLiteral("C"), "Group");
        const int groupRows = directory->listModel()->rowCount();
        reportRow(QStringLiteral("group search (%1 rows)").arg(groupRows), groupOurs, groupRaw);
        if (nameRows !=
                raw.value("SELECT count(*) FROM IDE WHERE FName = ?", {name.toUtf8()}).toInt() ||
            groupRows != raw.value("SELECT count(*) FROM IDE WHERE \"Group\" = 'C'").toInt()) {
            std::fprintf(stderr, "searches: the grid does not list the matching rows\n");
            ++failures;
        }
        expectBoxes("directory", 0, 0);
        closeAndUnload(directory);
    }
    DialogService::install(nullptr);
    // With every connection closed, a journal this run created is no longer needed.
    if (!hadJournal)
        QFile::remove(journal);
    return failures ? 1 : 0;
}
