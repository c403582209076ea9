#include "app/frm1.h"
#include "app/mainwindowhost.h"
#include "common/layout.h"
#include "data/datacontrol.h"
#include "data/datacontrolmodel.h"
#include "programfixture.h"
#include "scripteddialogs.h"
#include "testing/frmcode.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QTest>

using namespace kelvane;

namespace {
const QString NeedCode = QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد");
const QString NotFound = QStringLiteral("فردي با اين کد وجود ندارد");
const QString Question = QStringLiteral("آيا براي حذف کردن مطمئن هستيد؟");
const QString Done = QStringLiteral("حذف با موفقيت انجام گرفت");

struct Person {
    QString code, first, last, group;
    bool answers;
};
// Stored in this order; 13 has no answer row.
const Person People[] = {
    {"1", "Ali", "Rezaei", "A", true},    {"2", "Sara", "Ahmadi", "C", true},
    {"3", "Ali", "Karimi", "B", true},    {"12", "Reza", "Rezaei", "C", true},
    {"13", "Mina", "Ahmadi", "C", false},
};
} // namespace

class TestFrmCode : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadListsEveryTestTaker();
    void searchNarrowsAndClearsTheOtherBoxes_data();
    void searchNarrowsAndClearsTheOtherBoxes();
    void groupThenFirstNameClearsGroup();
    void nameListsHoldEachValueOnceInStoredOrder();
    void deleteRemovesBothRowsAndNothingElse_data();
    void deleteRemovesBothRowsAndNothingElse();
    void answeringNoKeepsRowsAndListsAll();
    void deleteRefusals_data();
    void deleteRefusals();
    void testTakerWithoutAnswerRow();
    void failedDeletionDeletesNothing_data();
    void failedDeletionDeletesNothing();
    void gridIsReadOnly();
    void closingShowsTheMainWindow_data();
    void closingShowsTheMainWindow();
    void oddValuesFoundAndDeletedExactly_data();
    void oddValuesFoundAndDeletedExactly();

private:
    void reopen();
    QComboBox *box(const QString &name) const { return m_window->findChild<QComboBox *>(name); }
    QLineEdit *codeBox() const { return m_window->findChild<QLineEdit *>("Text5"); }
    QStringList gridCodes() const;
    QStringList items(QComboBox *combo) const;
    static void type(QComboBox *combo, const QString &text);
    static void choose(QComboBox *combo, const QString &text);
    QStringList idePresent(const QStringList &codes);

    ProgramFixture *m_fixture = nullptr;
    ScriptedDialogs *m_dialogs = nullptr;
    QPointer<FrmCode> m_window;
};

void TestFrmCode::init() {
    m_fixture = new ProgramFixture;
    m_dialogs = new ScriptedDialogs;
    m_fixture->exec("UPDATE Theme SET Adress = ?", {QStringLiteral("خيابان آزادي، پلاک 7")}, true);
    for (const Person &p : People) {
        m_fixture->addTestTaker(p.code,
                                {{"FName", p.first}, {"LName", p.last}, {"Group", p.group}});
        if (p.answers)
            m_fixture->addAnswers(p.code, QStringList(80, QStringLiteral("3")));
    }
    m_window = new FrmCode;
}

void TestFrmCode::cleanup() {
    delete m_window;
    delete MainWindowHost::loaded();
    delete m_dialogs;
    delete m_fixture;
}

void TestFrmCode::reopen() {
    delete m_window;
    m_window = new FrmCode;
}

QStringList TestFrmCode::gridCodes() const {
    const DataControlModel *model = m_window->listModel();
    QStringList codes;
    for (int row = 0; row < model->rowCount(); ++row)
        codes << model->index(row, 0).data().toString();
    return codes;
}

QStringList TestFrmCode::items(QComboBox *combo) const {
    QStringList result;
    for (int i = 0; i < combo->count(); ++i)
        result << combo->itemText(i);
    return result;
}

void TestFrmCode::type(QComboBox *combo, const QString &text) {
    for (const QChar c : text)
        combo->lineEdit()->insert(QString(c));
}

void TestFrmCode::choose(QComboBox *combo, const QString &text) {
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(index >= 0, qPrintable(text));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

QStringList TestFrmCode::idePresent(const QStringList &codes) {
    QStringList present;
    for (const QString &code : codes) {
        if (m_fixture->value("SELECT count(*) FROM IDE WHERE Code = ?", {code}).toInt() > 0)
            present << code;
    }
    return present;
}

void TestFrmCode::loadListsEveryTestTaker() {
    QCOMPARE(m_window->windowTitle(), QStringLiteral("کد آزمودني"));
    QCOMPARE(m_window->size(), QSize(twips(10425), twips(8055)));
    QCOMPARE(gridCodes(), QStringList({"1", "2", "3", "12", "13"}));

    auto *grid = m_window->findChild<QTableView *>("DataGrid1");
    QVERIFY(grid);
    QCOMPARE(grid->layoutDirection(), Qt::RightToLeft);
    QCOMPARE(m_window->findChild<QLabel *>("DataGrid1Caption")->text(),
             QStringLiteral("مشخصات آزمودني"));
    const QStringList captions{QStringLiteral("كدآزمودني"), QStringLiteral("نام"),
                               QStringLiteral("نام خانوادگي"), QStringLiteral("گروه")};
    const int widths[] = {1320, 1515, 1920, 1110};
    QCOMPARE(grid->model()->columnCount(), 4);
    for (int column = 0; column < 4; ++column) {
        QCOMPARE(grid->model()->headerData(column, Qt::Horizontal).toString(), captions[column]);
        QCOMPARE(grid->columnWidth(column), twips(widths[column]));
    }
    QCOMPARE(captions[0].at(0), QChar(0x0643)); // Arabic kaf in the code column's caption
    QCOMPARE(grid->model()->index(3, 1).data().toString(), QStringLiteral("Reza"));
    QCOMPARE(grid->model()->index(4, 3).data().toString(), QStringLiteral("C"));

    for (const char *name : {"DataCombo6", "DataCombo1", "Combo3"})
        QVERIFY2(box(name)->currentText().isEmpty(), name);
    QCOMPARE(items(box("Combo3")), QStringList({"A", "B", "C", "D", "E", "F", "G"}));
    QVERIFY(box("Combo3")->isEditable());
    QCOMPARE(box("Combo3")->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xFF));
    QCOMPARE(m_window->clinicAddress(), QStringLiteral("خيابان آزادي، پلاک 7"));
    QCOMPARE(m_window->findChild<QGroupBox *>("Frame1")->title(),
             QStringLiteral("حذف کردن آزمودني"));
    QCOMPARE(m_window->findChild<QPushButton *>("Command2")->text(), QStringLiteral("حذف "));
    QCOMPARE(m_window->findChild<QPushButton *>("Command1")->text(),
             QStringLiteral("پرينت بر اساس گروه"));
    QCOMPARE(m_window->findChild<QPushButton *>("Command6")->text(), QStringLiteral("خروج"));
    QCOMPARE(codeBox()->alignment(), Qt::AlignCenter);
}

void TestFrmCode::searchNarrowsAndClearsTheOtherBoxes_data() {
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<bool>("chosen");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("first name typed") << "DataCombo6" << false << "Ali" << QStringList{"1", "3"};
    QTest::newRow("first name chosen") << "DataCombo6" << true << "Sara" << QStringList{"2"};
    QTest::newRow("first name partly typed") << "DataCombo6" << false << "Al" << QStringList{};
    QTest::newRow("last name typed") << "DataCombo1" << false << "Ahmadi" << QStringList{"2", "13"};
    QTest::newRow("last name chosen") << "DataCombo1" << true << "Rezaei" << QStringList{"1", "12"};
    QTest::newRow("group chosen") << "Combo3" << true << "C" << QStringList{"2", "12", "13"};
    QTest::newRow("group typed") << "Combo3" << false << "B" << QStringList{"3"};
    QTest::newRow("group not in the list") << "Combo3" << false << "H" << QStringList{};
    QTest::newRow("group in lower case") << "Combo3" << false << "c" << QStringList{};
}

void TestFrmCode::searchNarrowsAndClearsTheOtherBoxes() {
    QFETCH(QString, boxName);
    QFETCH(bool, chosen);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);

    // Leftovers in every other box, as the user could have left them.
    const QStringList names{"DataCombo6", "DataCombo1", "Combo3"};
    for (const QString &name : names) {
        if (name != boxName) {
            const QSignalBlocker quiet(box(name));
            box(name)->setEditText(QStringLiteral("Reza"));
        }
    }
    if (chosen)
        choose(box(boxName), text);
    else
        type(box(boxName), text);

    QCOMPARE(box(boxName)->currentText(), text);
    for (const QString &name : names) {
        if (name != boxName)
            QVERIFY2(box(name)->currentText().isEmpty(), qPrintable(name));
    }
    QCOMPARE(gridCodes(), expected);
    QCOMPARE(m_dialogs->entries().size(), 0);
}

void TestFrmCode::groupThenFirstNameClearsGroup() {
    choose(box("Combo3"), "C");
    QCOMPARE(m_window->groupText(), QStringLiteral("C"));
    QCOMPARE(gridCodes(), QStringList({"2", "12", "13"}));

    choose(box("DataCombo6"), "Reza");
    QVERIFY(m_window->groupText().isEmpty());
    QCOMPARE(gridCodes(), QStringList({"12"}));
    const DataControl *list = m_window->dataControl("Adodc2");
    QCOMPARE(list->filterField(), QStringLiteral("FName"));
}

void TestFrmCode::nameListsHoldEachValueOnceInStoredOrder() {
    QCOMPARE(items(box("DataCombo6")), QStringList({"Ali", "Sara", "Reza", "Mina"}));
    QCOMPARE(items(box("DataCombo1")), QStringList({"Rezaei", "Ahmadi", "Karimi"}));

    // Searches narrow the grid, not the lists.
    choose(box("Combo3"), "B");
    type(box("DataCombo1"), "Kar");
    QCOMPARE(items(box("DataCombo6")), QStringList({"Ali", "Sara", "Reza", "Mina"}));
    QCOMPARE(box("DataCombo1")->currentText(), QStringLiteral("Kar"));

    // A deletion re-reads them: Sara was the only one of her name.
    codeBox()->setText("2");
    m_dialogs->pushReply(DialogService::Reply::Yes);
    QTest::mouseClick(m_window->findChild<QPushButton *>("Command2"), Qt::LeftButton);
    QCOMPARE(items(box("DataCombo6")), QStringList({"Ali", "Reza", "Mina"}));
    QCOMPARE(items(box("DataCombo1")), QStringList({"Rezaei", "Karimi", "Ahmadi"}));
    QCOMPARE(box("DataCombo1")->currentText(), QStringLiteral("Kar"));
    QCOMPARE(gridCodes(), QStringList({"1", "3", "12", "13"}));
}

void TestFrmCode::deleteRemovesBothRowsAndNothingElse_data() {
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("button") << false;
    QTest::newRow("enter in the code box") << true;
}

void TestFrmCode::deleteRemovesBothRowsAndNothingElse() {
    QFETCH(bool, byEnter);
    choose(box("Combo3"), "C");
    codeBox()->setText("12");
    m_dialogs->pushReply(DialogService::Reply::Yes);
    QStringList seen;
    m_dialogs->onShow([&](const ScriptedDialogs::Entry &entry) {
        seen << QStringLiteral("%1: IDE %2, Answer %3")
                    .arg(entry.text)
                    .arg(m_fixture->value("SELECT count(*) FROM IDE WHERE Code = '12'"))
                    .arg(m_fixture->value("SELECT count(*) FROM Answer WHERE Code = '12'"));
    });

    if (byEnter)
        QTest::keyClick(codeBox(), Qt::Key_Return);
    else
        QTest::mouseClick(m_window->findChild<QPushButton *>("Command2"), Qt::LeftButton);

    QCOMPARE(seen, QStringList({Question + ": IDE 1, Answer 1", Done + ": IDE 0, Answer 0"}));
    const ScriptedDialogs::Entry &question = m_dialogs->entries().first();
    QVERIFY(question.title.isEmpty());
    QCOMPARE(question.icon, DialogService::Icon::Question);
    QCOMPARE(question.buttons, DialogService::Buttons::YesNo);
    QVERIFY(question.rightToLeft);
    QCOMPARE(m_dialogs->entries().last().kind, ScriptedDialogs::Kind::Timed);

    QCOMPARE(m_fixture->column("SELECT Code FROM IDE ORDER BY RowOrder"),
             QStringList({"1", "2", "3", "13"}));
    QCOMPARE(m_fixture->column("SELECT Code FROM Answer ORDER BY RowOrder"),
             QStringList({"1", "2", "3"}));
    QCOMPARE(m_fixture->answers("3"), QStringList(80, QStringLiteral("3")));
    QVERIFY(codeBox()->text().isEmpty());
    QCOMPARE(gridCodes(), QStringList({"1", "2", "3", "13"}));
    QCOMPARE(m_window->groupText(), QStringLiteral("C")); // the boxes keep their text
    for (const char *name : {"Adodc2", "Adodc3", "Adodc4"})
        QVERIFY2(!m_window->dataControl(name)->isFiltered(), name);
}

void TestFrmCode::answeringNoKeepsRowsAndListsAll() {
    choose(box("DataCombo6"), "Sara");
    QCOMPARE(gridCodes(), QStringList({"2"}));
    codeBox()->setText("12");
    m_dialogs->pushReply(DialogService::Reply::No);
    QTest::mouseClick(m_window->findChild<QPushButton *>("Command2"), Qt::LeftButton);

    QCOMPARE(m_dialogs->texts(), QStringList({Question}));
    QCOMPARE(idePresent({"12"}), QStringList({"12"}));
    QCOMPARE(m_fixture->count("IDE"), 5);
    QCOMPARE(m_fixture->count("Answer"), 4);
    QCOMPARE(gridCodes(), QStringList({"1", "2", "3", "12", "13"}));
    QCOMPARE(box("DataCombo6")->currentText(), QStringLiteral("Sara"));
    QCOMPARE(codeBox()->text(), QStringLiteral("12"));

    // Choosing the name still shown narrows the list again.
    choose(box("DataCombo6"), "Sara");
    QCOMPARE(gridCodes(), QStringList({"2"}));
}

void TestFrmCode::deleteRefusals_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << "" << NeedCode;
    QTest::newRow("unknown") << "99" << NotFound;
    QTest::newRow("leading blank") << " 12" << NotFound;
    QTest::newRow("leading zero") << "012" << NotFound;
}

void TestFrmCode::deleteRefusals() {
    QFETCH(QString, code);
    QFETCH(QString, message);
    codeBox()->setText(code);
    m_dialogs->pushReply(DialogService::Reply::Yes);
    QTest::mouseClick(m_window->findChild<QPushButton *>("Command2"), Qt::LeftButton);

    QCOMPARE(m_dialogs->timedTexts(), QStringList({message}));
    QCOMPARE(m_dialogs->entries().size(), 1);
    QCOMPARE(m_fixture->count("IDE"), 5);
    QCOMPARE(m_fixture->count("Answer"), 4);
    QVERIFY(!m_window->dataControl("Adodc3")->isFiltered());
    QCOMPARE(codeBox()->text(), code);
}

void TestFrmCode::testTakerWithoutAnswerRow() {
    codeBox()->setText("13");
    m_dialogs->pushReply(DialogService::Reply::Yes);
    QTest::mouseClick(m_window->findChild<QPushButton *>("Command2"), Qt::LeftButton);

    QCOMPARE(m_dialogs->texts(), QStringList({Question, Done}));
    QCOMPARE(m_fixture->column("SELECT Code FROM IDE ORDER BY RowOrder"),
             QStringList({"1", "2", "3", "12"}));
    QCOMPARE(m_fixture->column("SELECT Code FROM Answer ORDER BY RowOrder"),
             QStringList({"1", "2", "3", "12"}));
    QCOMPARE(gridCodes(), QStringList({"1", "2", "3", "12"}));
}

void TestFrmCode::failedDeletionDeletesNothing_data() {
    QTest::addColumn<QString>("table");
    QTest::newRow("answer row") << "Answer";
    QTest::newRow("test-taker row") << "IDE";
}

void TestFrmCode::failedDeletionDeletesNothing() {
    QFETCH(QString, table);
    m_fixture->failWrites(table, "DELETE");
    codeBox()->setText("12");
    m_dialogs->pushReply(DialogService::Reply::Yes);
    QTest::mouseClick(m_window->findChild<QPushButton *>("Command2"), Qt::LeftButton);

    QCOMPARE(m_fixture->count("IDE"), 5);
    QCOMPARE(m_fixture->count("Answer"), 4);
    QCOMPARE(m_fixture->answers("12"), QStringList(80, QStringLiteral("3")));
    QCOMPARE(m_dialogs->entries().size(), 2);
    const ScriptedDialogs::Entry &error = m_dialogs->entries().last();
    QCOMPARE(error.title, QStringLiteral("خطا"));
    QVERIFY2(error.text.contains("disk I/O error"), qPrintable(error.text));
    QVERIFY(!m_dialogs->texts().contains(Done));
    QCOMPARE(codeBox()->text(), QStringLiteral("12"));
    QCOMPARE(gridCodes(), QStringList({"1", "2", "3", "12", "13"}));

    // Once the file takes writes again the same deletion goes through.
    m_fixture->allowWrites(table, "DELETE");
    m_dialogs->pushReply(DialogService::Reply::Yes);
    QTest::mouseClick(m_window->findChild<QPushButton *>("Command2"), Qt::LeftButton);
    QCOMPARE(m_dialogs->texts().last(), Done);
    QCOMPARE(idePresent({"12"}), QStringList());
    QCOMPARE(m_fixture->count("Answer"), 3);
}

void TestFrmCode::gridIsReadOnly() {
    auto *grid = m_window->findChild<QTableView *>("DataGrid1");
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    for (int column = 0; column < 4; ++column)
        QVERIFY(!(grid->model()->flags(grid->model()->index(0, column)) & Qt::ItemIsEditable));
    m_window->show();
    const QModelIndex cell = grid->model()->index(1, 1);
    QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
    grid->edit(cell);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    QTest::keyClicks(grid, "X");
    QVERIFY(grid->findChildren<QLineEdit *>().isEmpty()); // no cell editor opened
    QVERIFY(!grid->model()->setData(cell, "X"));
    QCOMPARE(m_fixture->value("SELECT FName FROM IDE WHERE Code = '2'"), QStringLiteral("Sara"));
}

void TestFrmCode::closingShowsTheMainWindow_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Command6") << "button";
    QTest::newRow("Esc") << "escape";
    QTest::newRow("close box") << "close";
}

void TestFrmCode::closingShowsTheMainWindow() {
    QFETCH(QString, how);
    delete m_window;
    Frm1 *main = MainWindowHost::ensureLoaded();
    main->setLeaveFlag("1");
    main->hide();

    m_window = OpenDirectory();
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!main->isVisible());
    if (how == "button") {
        QTest::mouseClick(m_window->findChild<QPushButton *>("Command6"), Qt::LeftButton);
    } else if (how == "escape") {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QTest::keyClick(m_window, Qt::Key_Escape);
    } else {
        m_window->close();
    }
    QVERIFY(main->isVisible());
    QCOMPARE(MainWindowHost::loaded(), main);
    QCOMPARE(main->leaveFlag(), QStringLiteral("1"));
    QTRY_VERIFY(m_window.isNull());
}

void TestFrmCode::oddValuesFoundAndDeletedExactly_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("decoy");
    QTest::newRow("apostrophe") << "O'Brien"
                                << "O''Brien";
    QTest::newRow("percent") << "50%"
                             << "500";
    QTest::newRow("underscore and backslash") << "a_b\\c"
                                              << "axb\\c";
    QTest::newRow("double quote and inner blanks") << "\"x  y\""
                                                   << "x y";
    QTest::newRow("Persian and Latin") << QStringLiteral("علي Ali ۱۲") << QStringLiteral("علي Ali");
    QTest::newRow("1,000 characters")
        << QString(1000, QChar(0x0645)) << QString(999, QChar(0x0645));
}

void TestFrmCode::oddValuesFoundAndDeletedExactly() {
    QFETCH(QString, value);
    QFETCH(QString, decoy);
    for (const QString &text : {value, decoy}) {
        m_fixture->addTestTaker(text, {{"FName", text}, {"LName", text}, {"Group", "D"}});
        m_fixture->addAnswers(text, {"1"});
    }
    reopen();
    QVERIFY(items(box("DataCombo6")).contains(value));

    type(box("DataCombo6"), value);
    QCOMPARE(gridCodes(), QStringList({value}));
    box("DataCombo1")->lineEdit()->setText(value);
    QCOMPARE(gridCodes(), QStringList({value}));
    QCOMPARE(m_window->listModel()->index(0, 2).data().toString(), value);

    codeBox()->setText(value);
    m_dialogs->pushReply(DialogService::Reply::Yes);
    QTest::mouseClick(m_window->findChild<QPushButton *>("Command2"), Qt::LeftButton);
    QCOMPARE(m_dialogs->texts(), QStringList({Question, Done}));
    QCOMPARE(idePresent({value, decoy}), QStringList({decoy}));
    QCOMPARE(m_fixture->value("SELECT count(*) FROM Answer WHERE Code = ?", {value}),
             QStringLiteral("0"));
    QCOMPARE(m_fixture->value("SELECT count(*) FROM Answer WHERE Code = ?", {decoy}),
             QStringLiteral("1"));
    QCOMPARE(m_fixture->count("IDE"), 6);
    QVERIFY(!items(box("DataCombo6")).contains(value));
}

QTEST_MAIN(TestFrmCode)
#include "tst_frmcode.moc"
