// The registration panel and the paper answer sheet as the user drives them, beside the same
// reads and writes done with plain SQLite. Every row added is deleted and every answer changed
// is put back, so runs repeat on the same folder.
#include "benchsupport.h"

#include "app/frm1.h"
#include "platform/dialogservice.h"
#include "platform/programfolder.h"
#include "testing/frmpas2.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <sqlite3.h>

#include <cstdio>

using namespace kelvane;

namespace {

// Answers every box at once: input boxes from `input`, questions with Yes.
class SilentDialogs : public DialogService {
public:
    QString input;
    int shown = 0;

    void timedMessage(QWidget *, const QString &, int) override { ++shown; }
    Reply message(QWidget *, const Message &message) override {
        ++shown;
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

    // Runs one statement to the end with text parameters; returns the first column of the
    // first row (empty when none). Failures are reported, since a failed baseline is no baseline.
    QByteArray exec(const char *sql, const QList<QByteArray> &values = {}) {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "prepare failed: %s\n%s\n", sqlite3_errmsg(db), sql);
            return QByteArray();
        }
        for (int i = 0; i < values.size(); ++i)
            sqlite3_bind_text(statement, i + 1, values.at(i).constData(), -1, SQLITE_TRANSIENT);
        QByteArray first;
        bool firstRow = true;
        int result;
        while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                const auto *text =
                    reinterpret_cast<const char *>(sqlite3_column_text(statement, i));
                if (firstRow && i == 0 && text)
                    first = text;
            }
            firstRow = false;
        }
        if (result != SQLITE_DONE)
            std::fprintf(stderr, "step failed: %s\n%s\n", sqlite3_errmsg(db), sql);
        sqlite3_finalize(statement);
        return first;
    }
};

// Bench registrations use nine-digit codes: far above the generated ones, and numeric, so the
// proposal for the next registration stays one lookup.
constexpr int OurCodes = 900000000;
constexpr int BaselineCodes = 900050000;
const char *const BenchRows = "Code LIKE '9000_____'";

void deleteBenchRows(RawDb &raw) {
    raw.exec(QByteArray("DELETE FROM IDE WHERE ").append(BenchRows).constData());
    raw.exec(QByteArray("DELETE FROM Answer WHERE ").append(BenchRows).constData());
}

template <typename T> T *child(QWidget *window, const char *name) {
    T *widget = window->findChild<T *>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

// A typed digit as QTest delivers it (press and release through the application, so event
// filters see it), without linking the test library into the benchmarks.
void typeDigit(QWidget *widget, char digit) {
    const auto key = Qt::Key(Qt::Key_0 + (digit - '0'));
    const QString text(QLatin1Char{digit});
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

void settle() {
    QApplication::processEvents();
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

    reportHeader(QStringLiteral("Registration and answer sheet"), Count);
    {
        RawDb raw(mainFile);
        deleteBenchRows(raw); // left by an interrupted run

        // Registration: fill the panel untimed, time the store of both rows.
        constexpr int SaveRuns = 31;
        auto *main = new Frm1;
        main->show();
        settle();
        QWidget *panel = child<QWidget>(main, "Frame10");
        QPushButton *open = child<QPushButton>(main, "Command1");
        QPushButton *save = child<QPushButton>(panel, "Command8");
        int registration = 0;
        const double saveOurs = medianMicros(
            SaveRuns, [&] { save->click(); },
            [&] {
                settle();
                open->click();
                child<QLineEdit>(panel, "Text11")
                    ->setText(QString::number(OurCodes + ++registration));
                child<QLineEdit>(panel, "Text6")->setText(QStringLiteral("رضا"));
                child<QLineEdit>(panel, "Text4")->setText(QStringLiteral("احمدي"));
                child<QLineEdit>(panel, "Text5")->setText(QStringLiteral("30"));
                child<QComboBox>(panel, "Combo1")->setCurrentIndex(0);
                child<QComboBox>(panel, "Combo2")->setCurrentIndex(1);
                child<QComboBox>(panel, "Combo3")->setCurrentIndex(2);
                child<QLineEdit>(panel, "Text7")->setText(QStringLiteral("ليسانس"));
            });
        settle();
        const QByteArray stored =
            raw.exec(QByteArray("SELECT count(*) FROM IDE WHERE ").append(BenchRows).constData());
        const QByteArray storedAnswers = raw.exec(
            QByteArray("SELECT count(*) FROM Answer WHERE ").append(BenchRows).constData());
        if (stored.toInt() != SaveRuns || storedAnswers.toInt() != SaveRuns || dialogs.shown) {
            std::fprintf(stderr, "registration: %s + %s rows stored of %d, %d messages\n",
                         stored.constData(), storedAnswers.constData(), SaveRuns, dialogs.shown);
            ++failures;
        }

        int baselineRow = 0;
        const double saveRaw = medianMicros(SaveRuns, [&] {
            const QByteArray code = QByteArray::number(BaselineCodes + ++baselineRow);
            raw.exec("BEGIN");
            raw.exec("INSERT INTO IDE (Code, FName, LName, Sen, Tahsil, \"Date\", \"Time\", "
                     "Taahol, Jens, \"Group\") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                     {code, "رضا", "احمدي", "30", "ليسانس", "1403/01/15", "10:00:00", "مجرد", "زن",
                      "C"});
            raw.exec("INSERT INTO Answer (Code) VALUES (?)", {code});
            raw.exec("COMMIT");
        });
        reportRow(QStringLiteral("registration save (two rows, one commit)"), saveOurs, saveRaw);

        // A last code that is not a number: the proposal counts up from 1 past every used code.
        raw.exec("INSERT INTO IDE (Code, FName) VALUES ('bench-1', 'x')");
        const double proposeOurs = medianMicros(
            1, [&] { open->click(); },
            [&] {
                main->HidePanels();
                settle();
            });
        const double proposeRaw = medianMicros(1, [&] {
            raw.exec("SELECT Code FROM IDE ORDER BY RowOrder DESC LIMIT 1");
            raw.exec("SELECT count(*) FROM IDE WHERE Code = ?", {"100001"});
        });
        reportRow(QStringLiteral("open registration, last code not a number"), proposeOurs,
                  proposeRaw);
        child<QPushButton>(panel, "Command10")->click();
        delete main;
        raw.exec("DELETE FROM IDE WHERE Code = 'bench-1'");
        deleteBenchRows(raw);
        dialogs.shown = 0;

        // The answer sheet: one test-taker in the middle, one answer box typed over.
        const QByteArray middle("50000");
        const QByteArray original = raw.exec("SELECT \"7\" FROM Answer WHERE Code = ?", {middle});
        const int originalDigit = original.toInt(); // 0 when empty
        QPointer<Frmpas2> sheet = OpenAnswerSheet(nullptr);
        settle();
        QLineEdit *codeBox = child<QLineEdit>(sheet, "Text4");
        QPushButton *select = child<QPushButton>(sheet, "Command3");

        int probe = 0;
        auto nextCode = [&] { return QByteArray::number(1 + (probe++ * 7919) % Count); };
        const double selectOurs = medianMicros(
            101, [&] { select->click(); },
            [&] { codeBox->setText(QString::fromLatin1(nextCode())); });
        const double selectRaw = medianMicros(101, [&] {
            const QByteArray code = nextCode();
            raw.exec("SELECT * FROM Answer WHERE Code = ? ORDER BY RowOrder LIMIT 1", {code});
            raw.exec("SELECT * FROM IDE WHERE Code = ? ORDER BY RowOrder LIMIT 1", {code});
        });
        reportRow(QStringLiteral("answer-sheet select test-taker"), selectOurs, selectRaw);

        codeBox->setText(QString::fromLatin1(middle));
        select->click();
        settle();
        QLineEdit *box7 = child<QLineEdit>(sheet, "Txt1(7)");
        int typed = 0;
        // Each digit differs from the one before it (and the first from the stored answer).
        auto nextDigit = [&] { return char('1' + (originalDigit + typed++) % 5); };
        char lastDigit = 0;
        const double keyOurs = medianMicros(
            101, [&] { typeDigit(box7, lastDigit); },
            [&] {
                settle();
                box7->setFocus();
                box7->selectAll();
                lastDigit = nextDigit();
            });
        const QByteArray kept = raw.exec("SELECT \"7\" FROM Answer WHERE Code = ?", {middle});
        if (kept != QByteArray(1, lastDigit)) {
            std::fprintf(stderr, "answer sheet: stored \"%s\", typed \"%c\"\n", kept.constData(),
                         lastDigit);
            ++failures;
        }
        const double keyRaw = medianMicros(101, [&] {
            raw.exec("UPDATE Answer SET \"7\" = ? WHERE Code = ?",
                     {QByteArray(1, nextDigit()), middle});
        });
        reportRow(QStringLiteral("answer-sheet keystroke (one answer stored)"), keyOurs, keyRaw);
        if (dialogs.shown) {
            std::fprintf(stderr, "answer sheet: %d unexpected messages\n", dialogs.shown);
            ++failures;
        }

        sheet->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete sheet.data();
        raw.exec("UPDATE Answer SET \"7\" = ? WHERE Code = ?", {original, middle});
    }
    DialogService::install(nullptr);
    // With every connection closed, a journal this run created is no longer needed.
    if (!hadJournal)
        QFile::remove(journal);
    return failures ? 1 : 0;
}
