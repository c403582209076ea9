// One test-taker's whole road through the program, the way a user clicks it: registration, the
// on-screen run or the paper sheet, scoring and the profile, the directory.
#include "app/frm1.h"
#include "app/mainwindowhost.h"
#include "programfixture.h"
#include "scoring/frmklid.h"
#include "scoring/frmp.h"
#include "scripteddialogs.h"
#include "testing/frmcode.h"
#include "testing/frmpas2.h"
#include "testing/frmtest.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using namespace kelvane;

namespace {
template <typename T> T *child(QWidget *window, const QString &name) {
    T *widget = window->findChild<T *>(name);
    if (!widget)
        qFatal("no control %s", qPrintable(name));
    return widget;
}

template <typename T> T *topLevel() {
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<T *>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

// Types any characters, also those QTest cannot map to a key (Persian digits).
void typeText(QWidget *widget, const QString &text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
} // namespace

class TestRoad : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ProgramFixture> fixture;
    std::unique_ptr<ScriptedDialogs> dialogs;

    void registerTestTaker(Frm1 *main, const QString &typedCode, const QString &expectedProposal,
                           const QString &firstName, const QString &group) {
        child<QPushButton>(main, QStringLiteral("Command1"))->click();
        QLineEdit *code = child<QLineEdit>(main, QStringLiteral("Text11"));
        QCOMPARE(code->text(), expectedProposal);
        if (!typedCode.isNull())
            code->setText(typedCode);
        child<QLineEdit>(main, QStringLiteral("Text6"))->setText(firstName);
        child<QLineEdit>(main, QStringLiteral("Text4"))->setText(QStringLiteral("رضايي"));
        typeText(child<QLineEdit>(main, QStringLiteral("Text5")), QStringLiteral("۲۹"));
        child<QComboBox>(main, QStringLiteral("Combo1"))->setCurrentIndex(1);
        child<QComboBox>(main, QStringLiteral("Combo2"))->setCurrentIndex(0);
        QComboBox *groups = child<QComboBox>(main, QStringLiteral("Combo3"));
        groups->setCurrentIndex(groups->findText(group));
        child<QLineEdit>(main, QStringLiteral("Text7"))->setText(QStringLiteral("ليسانس"));
        child<QPushButton>(main, QStringLiteral("Command8"))->click();
        QVERIFY(!child<QWidget>(main, QStringLiteral("Frame10"))->isVisible());
    }

private Q_SLOTS:
    void init() {
        fixture = std::make_unique<ProgramFixture>();
        dialogs = std::make_unique<ScriptedDialogs>();
    }
    void cleanup() {
        for (QWidget *widget : QApplication::topLevelWidgets())
            widget->deleteLater();
        FrmTest::unload();
        flushDeletes();
        dialogs.reset();
        fixture.reset();
    }

    void registerAnswerScoreAndFind() {
        Frm1 *main = MainWindowHost::show();

        // Registration: an empty table proposes nothing; the next proposal follows the last code.
        registerTestTaker(main, QStringLiteral("1"), QString(), QStringLiteral("مريم"),
                          QStringLiteral("C"));
        registerTestTaker(main, QString(), QStringLiteral("2"), QStringLiteral("Sara"),
                          QStringLiteral("D"));
        registerTestTaker(main, QString(), QStringLiteral("3"), QStringLiteral("علي"),
                          QStringLiteral("C"));
        QCOMPARE(fixture->column(QStringLiteral("SELECT Code FROM Answer ORDER BY RowOrder")),
                 QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        QCOMPARE(fixture->value(QStringLiteral("SELECT Sen FROM IDE WHERE Code = '2'")),
                 QStringLiteral("29"));
        QCOMPARE(main->leaveFlag(), QStringLiteral("1"));

        // On screen: test-taker 1 answers every statement.
        dialogs->pushInput(QStringLiteral("1"));
        child<QPushButton>(main, QStringLiteral("Command2"))->click();
        FrmTest *run = topLevel<FrmTest>();
        QVERIFY(run);
        child<QPushButton>(run, QStringLiteral("Command1"))->click();
        QStringList chosen;
        for (int question = 1; question <= 80; ++question) {
            const int option = 1 + (question * 7) % 5;
            child<QRadioButton>(run, QStringLiteral("Option%1").arg(option))->click();
            chosen << QString::number(option);
            child<QPushButton>(run, QStringLiteral("CmdNext"))->click();
        }
        child<QPushButton>(run, QStringLiteral("Command5"))->click();
        QVERIFY(!run->isVisible());
        QCOMPARE(fixture->answers(QStringLiteral("1")), chosen);

        // On paper: test-taker 2's sheet, typed in and left with the close box.
        Frmpas2 *sheet = OpenAnswerSheet(main);
        QTest::keyClicks(child<QLineEdit>(sheet, QStringLiteral("Text4")), QStringLiteral("2"));
        child<QPushButton>(sheet, QStringLiteral("Command3"))->click();
        QStringList typed;
        for (int question = 1; question <= 80; ++question) {
            const QString digit = QString::number(question % 6); // 0 leaves the answer empty
            QTest::keyClicks(child<QLineEdit>(sheet, QStringLiteral("Txt1(%1)").arg(question)),
                             digit);
            typed << (digit == QLatin1String("0") ? QString("") : digit);
        }
        sheet->close();
        flushDeletes();
        QCOMPARE(fixture->answers(QStringLiteral("2")), typed);

        // Scoring test-taker 1: the sums worked out here from the chosen digits.
        child<QPushButton>(main, QStringLiteral("Command3"))->click();
        flushDeletes();
        QVERIFY(!MainWindowHost::loaded());
        FrmkLID *scoring = topLevel<FrmkLID>();
        QVERIFY(scoring);
        dialogs->pushInput(QStringLiteral("1"));
        child<QPushButton>(scoring, QStringLiteral("Command1"))->click();
        QStringList expected;
        for (int scale = 1; scale <= 8; ++scale) {
            int sum = 0;
            for (int question = scale; question <= 80; question += 8)
                sum += chosen.at(question - 1).toInt();
            expected << QString::number(sum);
        }
        QCOMPARE(fixture->column(
                     QStringLiteral("SELECT zabani FROM IDE WHERE Code = '1' UNION ALL SELECT "
                                    "manteghi FROM IDE WHERE Code = '1' "
                                    "UNION ALL SELECT fazaee FROM IDE WHERE Code = '1' UNION ALL "
                                    "SELECT badani FROM IDE WHERE Code = '1' "
                                    "UNION ALL SELECT meynfardi FROM IDE WHERE Code = '1' UNION "
                                    "ALL SELECT daronfardi FROM IDE WHERE Code = '1' "
                                    "UNION ALL SELECT mouzical FROM IDE WHERE Code = '1' UNION ALL "
                                    "SELECT tabeatgara FROM IDE WHERE Code = '1'")),
                 expected);
        QVERIFY(
            dialogs->timedTexts().contains(QStringLiteral("اطلاعات با موفقيت محاسبه و ذخيره شد")));

        // The profile shows bars of 165 twips per point.
        child<QPushButton>(scoring, QStringLiteral("Cmdprof"))->click();
        Frmp *profile = Frmp::loaded();
        QVERIFY(profile);
        for (int row = 0; row < 8; ++row)
            QCOMPARE(profile->barWidthTwips(row), 165 * expected.at(row).toInt());
        profile->close();
        flushDeletes();

        // Leaving scoring brings a fresh main window back.
        scoring->close();
        flushDeletes();
        main = MainWindowHost::loaded();
        QVERIFY(main && main->isVisible());
        QCOMPARE(main->leaveFlag(), QStringLiteral("2"));

        // The directory: the main window hides, a group search finds two, a deletion removes both
        // rows of test-taker 3, and closing shows the main window again as it was.
        child<QPushButton>(main, QStringLiteral("Command4"))->click();
        QVERIFY(!main->isVisible());
        FrmCode *directory = topLevel<FrmCode>();
        QVERIFY(directory);
        QTableView *grid = child<QTableView>(directory, QStringLiteral("DataGrid1"));
        QCOMPARE(grid->model()->rowCount(), 3);
        child<QComboBox>(directory, QStringLiteral("Combo3"))->setEditText(QStringLiteral("C"));
        QCOMPARE(grid->model()->rowCount(), 2);
        child<QComboBox>(directory, QStringLiteral("DataCombo6"))
            ->setEditText(QStringLiteral("Sara"));
        QCOMPARE(grid->model()->rowCount(), 1);
        QCOMPARE(child<QComboBox>(directory, QStringLiteral("Combo3"))->currentText(), QString());
        dialogs->pushReply(DialogService::Reply::Yes);
        QTest::keyClicks(child<QLineEdit>(directory, QStringLiteral("Text5")), QStringLiteral("3"));
        child<QPushButton>(directory, QStringLiteral("Command2"))->click();
        QCOMPARE(fixture->count(QStringLiteral("IDE")), 2);
        QCOMPARE(fixture->count(QStringLiteral("Answer")), 2);
        QCOMPARE(fixture->value(QStringLiteral("SELECT count(*) FROM IDE WHERE Code = '3'")),
                 QStringLiteral("0"));
        directory->close();
        flushDeletes();
        QVERIFY(main->isVisible());
        QCOMPARE(main->leaveFlag(), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestRoad)
#include "tst_road.moc"
