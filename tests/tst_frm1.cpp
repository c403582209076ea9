#include "app/frm1.h"
#include "app/mainwindowhost.h"
#include "app/startup.h"
#include "data/datacontrol.h"
#include "platform/desktop.h"
#include "platform/singleinstance.h"
#include "programfixture.h"
#include "scripteddialogs.h"
#include "testing/frmtest.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSysInfo>
#include <QTest>

using namespace kelvane;

class TestFrm1 : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ProgramFixture> fixture;
    std::unique_ptr<ScriptedDialogs> dialogs;
    QList<QUrl> opened;

    Frm1 *start() {
        std::unique_ptr<SingleInstance> lock;
        if (!StartKelvane(lock))
            return nullptr;
        locks.push_back(std::move(lock));
        return MainWindowHost::loaded();
    }
    std::vector<std::unique_ptr<SingleInstance>> locks;

    template <typename T> static T *child(QWidget *window, const char *name) {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    static void moveMouseOver(QWidget *widget) {
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }

private Q_SLOTS:
    void init() {
        fixture = std::make_unique<ProgramFixture>();
        dialogs = std::make_unique<ScriptedDialogs>();
        opened.clear();
        Desktop::setUrlHandler([this](const QUrl &url) { opened << url; });
    }
    void cleanup() {
        delete MainWindowHost::loaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        locks.clear();
        dialogs.reset();
        fixture.reset();
    }

    void startShowsTheMainWindow() {
        fixture->exec(QStringLiteral("UPDATE Theme SET Name = 'کلينيک آرامش'"), {}, true);
        Frm1 *window = start();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Kelvane"));
        QCOMPARE(child<QLabel>(window, "SkinLabel9")->text(), QStringLiteral("Kelvane 2.1"));
        QCOMPARE(child<QLabel>(window, "SkinLabel1")->text(), QStringLiteral("کلينيک آرامش"));
        QCOMPARE(window->leaveFlag(), QStringLiteral("2"));
        QCOMPARE(window->size(), QSize(702, 556));
        QCOMPARE(child<QPushButton>(window, "Command4")->text(),
                 QStringLiteral("نمايش کد آزمودني"));
        QCOMPARE(child<QPushButton>(window, "Command4")->geometry(), QRect(16, 132, 119, 37));
        QVERIFY(child<QLabel>(window, "SkinLabel21(10)")
                    ->text()
                    .startsWith(QStringLiteral(
                        "جهت اطلاع از بروزرساني نرم افزارها، در کانال تلگرام ما عضو شويد ")));
        for (const char *panel : {"Frame1", "Frame2", "Frame6", "Frame8", "Frame9", "Frame10"})
            QVERIFY2(!child<QFrame>(window, panel)->isVisible(), panel);
        QCOMPARE(child<QFrame>(window, "Frame1")->geometry(), QRect(33, 39, 515, 356));
        QVERIFY(dialogs->entries().isEmpty());
    }

    void secondCopyIsRefused() {
        SingleInstance running(fixture->path());
        QVERIFY(running.acquire());
        QVERIFY(!start());
        QCOMPARE(dialogs->entries().size(), 1);
        const ScriptedDialogs::Entry &entry = dialogs->entries().first();
        QCOMPARE(entry.title, QStringLiteral("Warnnig"));
        QCOMPARE(entry.text, QStringLiteral("برنامه در حال اجراست"));
        QCOMPARE(entry.icon, DialogService::Icon::Information);
        QVERIFY(!MainWindowHost::loaded());
    }

    void aCrashedCopyDoesNotBlock() {
        // A lock left by a process that no longer exists.
        SingleInstance probe(fixture->path());
        QFile stale(probe.lockPath());
        QVERIFY(stale.open(QIODevice::WriteOnly | QIODevice::Truncate));
        // The process id of a copy that has ended.
        QProcess ended;
        ended.start(QStringLiteral("true"));
        QVERIFY(ended.waitForStarted());
        const qint64 pid = ended.processId();
        QVERIFY(ended.waitForFinished());
        stale.write(QByteArray::number(pid) + "\nKelvane\n" + QSysInfo::machineHostName().toUtf8() +
                    "\n");
        stale.close();
        QVERIFY(start());
    }

    void unreadableDatabaseEndsTheStart() {
        QFile::remove(fixture->mainDatabase());
        QFile garbage(fixture->mainDatabase());
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("garbage");
        garbage.close();
        QVERIFY(!start());
        QCOMPARE(dialogs->entries().size(), 1);
        QVERIFY(dialogs->entries().first().text.contains(QStringLiteral("DBKelvane.mdb")));
        QVERIFY(!MainWindowHost::loaded());
    }

    void hintsFollowTheMouse() {
        Frm1 *window = start();
        QLabel *hint = child<QLabel>(window, "SkinLabel2");
        QVERIFY(!hint->isVisible());
        moveMouseOver(child<QPushButton>(window, "Command4"));
        QVERIFY(hint->isVisible());
        QCOMPARE(hint->text(),
                 QStringLiteral(" درصورتيکه کد آزمودني را فراموش کرده ايد با کليک بر روي  اين "
                                "قسمت مي توانيد آن را بدست بياوريد"));
        // A button without a hint leaves the last one showing.
        moveMouseOver(child<QPushButton>(window, "Command5"));
        QVERIFY(hint->isVisible());
        moveMouseOver(child<QFrame>(window, "Frame7"));
        QVERIFY(!hint->isVisible());
        QCOMPARE(hint->text(), QString());
        moveMouseOver(child<QPushButton>(window, "Command1"));
        QVERIFY(hint->text().startsWith(QStringLiteral(" شما بايد هر آزمودني")));
        moveMouseOver(window);
        QVERIFY(!hint->isVisible());
    }

    void contactBlock_data() {
        QTest::addColumn<QStringList>("fields"); // T1 … T6
        QTest::addColumn<QString>("block");
        QTest::newRow("all empty") << QStringList{"", "", "", "", "", ""} << "";
        QTest::newRow("only telephone")
            << QStringList{"", "", "", "", "", "021-555"} << "021-555\r\n";
        QTest::newRow("mail and site")
            << QStringList{"a@b.ir", "", "", "www.x.ir", "", ""} << "a@b.ir\r\nwww.x.ir\r\n";
    }
    void contactBlock() {
        QFETCH(QStringList, fields);
        QFETCH(QString, block);
        fixture->exec(
            QStringLiteral("UPDATE Theme SET T1 = ?, T2 = ?, T3 = ?, T4 = ?, T5 = ?, T6 = ?"),
            QVariantList(fields.cbegin(), fields.cend()), true);
        Frm1 *window = start();
        QCOMPARE(window->contactBlock(), block);
    }

    void hidePanelsDropsTheUnsavedRow() {
        fixture->addTestTaker(QStringLiteral("1"));
        Frm1 *window = start();
        DataControl *testTakers = window->dataControl(QStringLiteral("Adodc2"));
        child<QFrame>(window, "Frame9")->show();
        child<QPushButton>(window, "Command1")->setEnabled(false);
        testTakers->addNew();
        window->HidePanels();
        QVERIFY(!testTakers->isNewRow());
        QCOMPARE(testTakers->field(QStringLiteral("Code")), QStringLiteral("1"));
        QVERIFY(!child<QFrame>(window, "Frame9")->isVisible());
        QVERIFY(child<QPushButton>(window, "Command1")->isEnabled());
    }

    void emptyAnswerTableLeavesTheMenuQuiet() {
        Frm1 *window = start();
        for (const char *button : {"Command2", "Command3", "Command4"})
            child<QPushButton>(window, button)->click();
        QVERIFY(window->isVisible());
        QVERIFY(dialogs->entries().isEmpty());
        // No test run, scoring window or directory came up beside it.
        QVERIFY(!FrmTest::loaded());
        for (QWidget *other : QApplication::topLevelWidgets())
            QVERIFY2(other == window || !other->isVisible(), qPrintable(other->objectName()));
    }

    void outsideLinks() {
        Frm1 *window = start();
        child<QPushButton>(window, "CmdHelp")->click();
        child<QPushButton>(window, "Command14")->click();
        child<QPushButton>(window, "Cmandkanal")->click();
        QTest::mouseClick(child<QLabel>(window, "Picture1"), Qt::LeftButton);
        QCOMPARE(opened.size(), 5);
        QCOMPARE(opened.at(0).path(), QStringLiteral("/other/fonts.html"));
        QCOMPARE(opened.at(1).path(), QStringLiteral("/Soft/soft-list2.pdf"));
        QCOMPARE(opened.at(2).scheme(), QStringLiteral("https"));
        QCOMPARE(opened.at(3).path(), QStringLiteral("/"));
        QVERIFY(opened.at(3).host() != opened.at(4).host());

        bool calculatorStarted = false;
        Desktop::setCalculatorHandler([&] { return calculatorStarted = true; });
        child<QPushButton>(window, "Command5")->click();
        Desktop::setCalculatorHandler({});
        QVERIFY(calculatorStarted);
    }

    void escapeLeavesLikeExit() {
        Frm1 *window = start();
        QPointer<Frm1> guard(window);
        QApplication::setActiveWindow(window);
        QTest::keyClick(window, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!guard);
        QVERIFY(!MainWindowHost::loaded());
    }
};

QTEST_MAIN(TestFrm1)
#include "tst_frm1.moc"
