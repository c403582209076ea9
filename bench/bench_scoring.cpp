// Scoring one test-taker and the test-taker directory with its searches, as the user drives
// them, beside the same reads and writes done with plain SQLite. Scores written are put back as
// they were, so runs repeat on the same folder.
#include "benchsupport.h"

#include "app/frm1.h"
#include "app/mainwindowhost.h"
#include "data/datacontrolmodel.h"
#include "data/schema.h"
#include "scoring/frmklid.h"
#include "testing/frmcode.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <cstdio>
#include <map>

using namespace kelvane;

namespace {

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
        m_kept[code] = m_raw.row(
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
    BenchRun run(argc, argv);
    if (!run.ready())
        return 1;
    const QString mainFile = run.mainFile();
    SilentDialogs &dialogs = run.dialogs();
    int failures = 0;
    auto expectBoxes = [&](const char *what, int timed, int messages) {
        if (dialogs.timed != timed || dialogs.messages != messages) {
            std::fprintf(stderr, "%s: %d self-closing and %d other boxes, expected %d and %d\n",
                         what, dialogs.timed, dialogs.messages, timed, messages);
            ++failures;
        }
        dialogs.reset();
    };

    reportHeader(QStringLiteral("Scoring and the test-taker directory"), TestTakers);
    {
        RawDb raw(mainFile);
        ScoreKeeper scores(raw);
        CodeCycle codes;

        // Scoring: the code comes from the input box; every run picks another test-taker.
        constexpr int ScoreRuns = 51;
        QPointer<FrmkLID> scoring = OpenScoring();
        QApplication::processEvents();
        QPushButton *choose = child<QPushButton>(scoring, "Command1");
        auto chooseNext = [&] {
            const QByteArray code = codes.next();
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
            const QList<QByteArray> answers = raw.row(answerSql, {code});
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
            const QByteArray code = codes.next();
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
        const double rescoreRaw = medianMicros(ScoreRuns, [&] { rawScores(codes.next()); });
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
    return failures ? 1 : 0;
}
