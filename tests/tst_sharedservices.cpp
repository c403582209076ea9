#include "common/digitsonlyfilter.h"
#include "common/messages.h"
#include "common/skin.h"
#include "common/skinfile.h"
#include "common/textnumber.h"
#include "platform/dialogservice.h"
#include "programfixture.h"
#include "scripteddialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

using namespace kelvane;

class TestSharedServices : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void digitFilterKeys_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("highest");
        QTest::addColumn<QString>("expected"); // text of the field after typing into "1"
        QTest::addColumn<bool>("refused");
        QTest::newRow("ascii digit") << "7" << int(Qt::Key_7) << 9 << "17" << false;
        QTest::newRow("letter") << "a" << int(Qt::Key_A) << 9 << "1" << true;
        QTest::newRow("blank") << " " << int(Qt::Key_Space) << 9 << "1" << true;
        QTest::newRow("persian digit") << QStringLiteral("۵") << 0 << 9 << "15" << false;
        QTest::newRow("arabic-indic digit") << QStringLiteral("٣") << 0 << 9 << "13" << false;
        QTest::newRow("above the highest digit") << "6" << int(Qt::Key_6) << 5 << "1" << true;
        QTest::newRow("persian above the highest") << QStringLiteral("۶") << 0 << 5 << "1" << true;
        QTest::newRow("minus") << "-" << int(Qt::Key_Minus) << 9 << "1" << true;
        QTest::newRow("backspace") << "\b" << int(Qt::Key_Backspace) << 9 << "" << false;
        QTest::newRow("enter") << "\r" << int(Qt::Key_Return) << 9 << "1" << false;
        QTest::newRow("arrow types nothing") << "" << int(Qt::Key_Left) << 9 << "1" << false;
        // Editing and moving keys with the control texts an X11 keyboard gives them.
        QTest::newRow("tab") << "\t" << int(Qt::Key_Tab) << 9 << "1" << false;
        QTest::newRow("shift tab") << "\t" << int(Qt::Key_Backtab) << 9 << "1" << false;
        QTest::newRow("delete") << "\x7f" << int(Qt::Key_Delete) << 9 << "" << false;
    }
    void digitFilterKeys() {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(int, highest);
        QFETCH(QString, expected);
        QFETCH(bool, refused);
        ScriptedDialogs dialogs;
        QWidget window;
        auto *field = new QLineEdit(&window);
        attachDigitsOnly(field, highest);
        field->setText(QStringLiteral("1"));
        field->setCursorPosition(key == Qt::Key_Delete ? 0 : 1);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, typed);
        QApplication::sendEvent(field, &press);
        QCOMPARE(field->text(), expected);
        QCOMPARE(dialogs.timedTexts(),
                 refused ? QStringList{QStringLiteral("شما بايد عدد وارد كنيد")} : QStringList{});
    }

    void tabLeavesTheField() {
        ScriptedDialogs dialogs;
        QWidget window;
        auto *age = new QLineEdit(&window);
        auto *next = new QLineEdit(&window);
        attachDigitsOnly(age);
        window.show();
        QApplication::setActiveWindow(&window);
        age->setFocus();
        QTest::keyClick(age, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
        QVERIFY(dialogs.entries().isEmpty());
    }

    void pasteIsRefusedLikeAnyOtherNonDigit() {
        ScriptedDialogs dialogs;
        QLineEdit field;
        attachDigitsOnly(&field);
        QApplication::clipboard()->setText(QStringLiteral("abc"));
        QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field.text(), QString());
        QCOMPARE(dialogs.timedTexts().size(), 1);
        // Text that arrives without a key (the X11 selection, a drop) is kept out too.
        field.insert(QStringLiteral("4a"));
        QCOMPARE(field.text(), QString());
        field.insert(QStringLiteral("42"));
        QCOMPARE(field.text(), QStringLiteral("42"));
    }

    void leadingNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("whole");
        QTest::newRow("digits") << "12" << 12.0 << qint64(12);
        QTest::newRow("leading blanks") << "  4" << 4.0 << qint64(4);
        QTest::newRow("trailing text") << "12ab" << 12.0 << qint64(12);
        QTest::newRow("fraction") << "2.5" << 2.5 << qint64(2);
        QTest::newRow("letter") << "x" << 0.0 << qint64(0);
        QTest::newRow("empty") << "" << 0.0 << qint64(0);
        QTest::newRow("huge") << "99999999999999999999999" << 1e23
                              << std::numeric_limits<qint64>::max();
    }
    void leadingNumbers() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(qint64, whole);
        QCOMPARE(leadingNumber(text), value);
        QCOMPARE(leadingWholeNumber(text), whole);
    }

    void plainNumbers() {
        QCOMPARE(plainNumber(37), QStringLiteral("37"));
        QCOMPARE(plainNumber(0), QStringLiteral("0"));
        QCOMPARE(plainNumber(32.5), QStringLiteral("32.5"));
    }

    // The one test that lets a real self-closing box run its own timer.
    void timedMessageClosesOnlyItsOwnBox() {
        QWidget owner;
        owner.show();
        // A box that waits for the user and happens to carry the same title.
        QMessageBox waiting(QMessageBox::NoIcon, QStringLiteral("پيام"), QStringLiteral("waiting"),
                            QMessageBox::Ok, &owner);
        waiting.setModal(false);
        waiting.show();
        TimedMessage(&owner, QStringLiteral("closes by itself"));
        // Returning at all means the box closed without anyone pressing OK.
        QVERIFY(waiting.isVisible());
        const auto boxes = owner.findChildren<QMessageBox *>();
        for (QMessageBox *box : boxes) {
            if (box != &waiting)
                QVERIFY(!box->isVisible());
        }
    }

    void savedSkinIsApplied_data() {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("styled");
        QTest::newRow("number") << QByteArray("7\r\n") << "7" << true;
        QTest::newRow("blanks and comma") << QByteArray("  12,extra\r\n") << "12" << true;
        QTest::newRow("unknown skin") << QByteArray("99\r\n") << "99" << false;
        QTest::newRow("climbing out of the folder")
            << QByteArray("../Theme\r\n") << "../Theme" << false;
    }
    void savedSkinIsApplied() {
        QFETCH(QByteArray, list);
        QFETCH(QString, name);
        QFETCH(bool, styled);
        ProgramFixture fixture;
        fixture.installSkins();
        QFile file(SkinFile::listPath(fixture.path()));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(list);
        file.close();
        QWidget window;
        QCOMPARE(ApplySavedSkin(&window), name);
        if (styled) {
            QFile sheet(SkinFile::skinPath(fixture.path(), name));
            QVERIFY(sheet.open(QIODevice::ReadOnly));
            QCOMPARE(window.styleSheet(), QString::fromUtf8(sheet.readAll()));
        } else {
            QCOMPARE(window.styleSheet(), QString());
        }
    }

    void missingSkinListLeavesTheDefaultLook() {
        ProgramFixture fixture;
        QWidget window;
        window.setStyleSheet(QStringLiteral("QWidget { color: red; }"));
        QCOMPARE(ApplySavedSkin(&window), QString());
        QCOMPARE(window.styleSheet(), QString());
    }

    void everySkinIsItsOwn() {
        ProgramFixture fixture;
        fixture.installSkins();
        QSet<QString> sheets;
        for (int n = 1; n <= 48; ++n) {
            const auto sheet = SkinFile::readSheet(fixture.path(), QString::number(n));
            QVERIFY2(sheet && !sheet->isEmpty(), qPrintable(QString::number(n)));
            sheets.insert(*sheet);
        }
        QCOMPARE(sheets.size(), 48);
    }
};

QTEST_MAIN(TestSharedServices)
#include "tst_sharedservices.moc"
