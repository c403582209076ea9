// The registration panel and the paper answer sheet as the user drives them, beside the same
// reads and writes done with plain SQLite. Every row added is deleted and every answer changed
// is put back, so runs repeat on the same folder.
#include "benchsupport.h"

#include "app/frm1.h"
#include "testing/frmpas2.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <cstdio>

using namespace kelvane;

namespace {

// Bench registrations use nine-digit codes: far above the generated ones, and numeric, so the
// proposal for the next registration stays one lookup.
constexpr int OurCodes = 900000000;
constexpr int BaselineCodes = 900050000;
const char *const BenchRows = "Code LIKE '9000_____'";

void deleteBenchRows(RawDb &raw) {
    raw.exec(QByteArray("DELETE FROM IDE WHERE ") + BenchRows);
    raw.exec(QByteArray("DELETE FROM Answer WHERE ") + BenchRows);
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
    BenchRun run(argc, argv);
    if (!run.ready())
        return 1;
    const QString mainFile = run.mainFile();
    SilentDialogs &dialogs = run.dialogs();
    int failures = 0;

    reportHeader(QStringLiteral("Registration and answer sheet"), TestTakers);
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
            raw.value(QByteArray("SELECT count(*) FROM IDE WHERE ") + BenchRows);
        const QByteArray storedAnswers =
            raw.value(QByteArray("SELECT count(*) FROM Answer WHERE ") + BenchRows);
        if (stored.toInt() != SaveRuns || storedAnswers.toInt() != SaveRuns || dialogs.shown()) {
            std::fprintf(stderr, "registration: %s + %s rows stored of %d, %d messages\n",
                         stored.constData(), storedAnswers.constData(), SaveRuns, dialogs.shown());
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
        dialogs.reset();

        // The answer sheet: one test-taker in the middle, one answer box typed over.
        const QByteArray middle("50000");
        const QByteArray original = raw.value("SELECT \"7\" FROM Answer WHERE Code = ?", {middle});
        const int originalDigit = original.toInt(); // 0 when empty
        QPointer<Frmpas2> sheet = OpenAnswerSheet(nullptr);
        settle();
        QLineEdit *codeBox = child<QLineEdit>(sheet, "Text4");
        QPushButton *select = child<QPushButton>(sheet, "Command3");

        CodeCycle codes;
        const double selectOurs = medianMicros(
            101, [&] { select->click(); },
            [&] { codeBox->setText(QString::fromLatin1(codes.next())); });
        const double selectRaw = medianMicros(101, [&] {
            const QByteArray code = codes.next();
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
        const QByteArray kept = raw.value("SELECT \"7\" FROM Answer WHERE Code = ?", {middle});
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
        if (dialogs.shown()) {
            std::fprintf(stderr, "answer sheet: %d unexpected messages\n", dialogs.shown());
            ++failures;
        }

        sheet->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete sheet.data();
        raw.exec("UPDATE Answer SET \"7\" = ? WHERE Code = ?", {original, middle});
    }
    return failures ? 1 : 0;
}
