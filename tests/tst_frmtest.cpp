#include "testing/frmtest.h"

#include "data/datacontrol.h"
#include "programfixture.h"
#include "scripteddialogs.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace kelvane;

namespace {

const QString StartText = QStringLiteral("شروع");
const QString EndText = QStringLiteral("پايان");
const QString NoCodeText = QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد");
const QString NotFoundText = QStringLiteral("فردي با اين مشخصات وجود ندارد");

QStringList emptyAnswers() {
    return QStringList(80, QString());
}

} // namespace

class TestFrmTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void refusedCodes_data();
    void refusedCodes();
    void registeredCodeWithoutRowGetsEmptyRow();
    void systemTexts();
    void road();
    void numberBox_data();
    void numberBox();
    void secondRunShowsEarlierAnswers();
    void closingStores_data();
    void closingStores();
    void optionLeftByTypingIsStoredAtNextStoringPoint();
    void missingStatementShowsEmpty();
    void failedStoreDuringRunIsRetried();
    void failedStoreOnExitKeepsWindow_data();
    void failedStoreOnExitKeepsWindow();
    void failedStoreOnExitLetsTheUserGo();
    void failedAnswerRowCreationOpensNothing();
    void awkwardCodes_data();
    void awkwardCodes();

private:
    FrmTest *form() const { return FrmTest::loaded(); }
    template <class T> T *child(const QString &name) const {
        T *widget = form() ? form()->findChild<T *>(name) : nullptr;
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QLineEdit *box(const QString &name) const { return child<QLineEdit>(name); }
    QPushButton *button(const QString &name) const { return child<QPushButton>(name); }
    QRadioButton *option(int n) const {
        return child<QRadioButton>(QStringLiteral("Option%1").arg(n));
    }
    QString shownQuestion() const { return child<QGroupBox>(QStringLiteral("Frame2"))->title(); }
    // 1–5, or 0 when no option is selected.
    int checkedOption() const {
        for (int n = 1; n <= 5; ++n) {
            if (option(n)->isChecked())
                return n;
        }
        return 0;
    }
    QString statement(int question) {
        return m_fixture->value(QStringLiteral("SELECT QU FROM QUS WHERE ID = ?"),
                                {QString::number(question)});
    }

    // Asks for the code and checks that the window opened.
    void open(const QString &code);
    // Opens the window and presses "شروع".
    void begin(const QString &code);
    void verifyShown(int question);
    void runSteps(const QString &script);
    void typeNumber(const QString &digits);

    ProgramFixture *m_fixture = nullptr;
    ScriptedDialogs *m_dialogs = nullptr;
};

void TestFrmTest::init() {
    m_fixture = new ProgramFixture;
    m_dialogs = new ScriptedDialogs;
}

void TestFrmTest::cleanup() {
    FrmTest::unload();
    delete m_dialogs;
    m_dialogs = nullptr;
    delete m_fixture;
    m_fixture = nullptr;
}

void TestFrmTest::open(const QString &code) {
    m_dialogs->pushInput(code);
    StartTestRun(nullptr);
    QVERIFY(form());
    QVERIFY2(form()->isVisible(), qPrintable(m_dialogs->texts().join(QLatin1Char('|'))));
}

void TestFrmTest::begin(const QString &code) {
    open(code);
    if (QTest::currentTestFailed())
        return;
    button(QStringLiteral("Command1"))->click();
    QVERIFY(form()->isRunning());
    verifyShown(1);
}

void TestFrmTest::verifyShown(int question) {
    const QString number = QString::number(question);
    QCOMPARE(shownQuestion(), number);
    QCOMPARE(child<QLabel>(QStringLiteral("SkinLbl5"))->text(), statement(question));
    const QString current = form()->dataControl(QStringLiteral("Adodc2"))->field(number);
    QCOMPARE(box(QStringLiteral("Text12"))->text(), current);
    QCOMPARE(checkedOption(), current.isEmpty() ? 0 : current.toInt());
}

void TestFrmTest::typeNumber(const QString &digits) {
    QLineEdit *number = box(QStringLiteral("Text6"));
    number->setFocus();
    number->selectAll();
    QTest::keyClicks(number, digits);
}

// Steps: pickN, next, back, enter, type:D (replace the number), append:D, bs, expect:N.
void TestFrmTest::runSteps(const QString &script) {
    QLineEdit *number = box(QStringLiteral("Text6"));
    for (const QString &step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString arg = step.section(QLatin1Char(':'), 1);
        if (step.startsWith(QLatin1String("pick"))) {
            option(step.mid(4).toInt())->click();
        } else if (step == QLatin1String("next")) {
            button(QStringLiteral("CmdNext"))->click();
        } else if (step == QLatin1String("back")) {
            button(QStringLiteral("CmdBack"))->click();
        } else if (step == QLatin1String("enter")) {
            QTest::keyClick(number, Qt::Key_Return);
        } else if (step.startsWith(QLatin1String("type:"))) {
            typeNumber(arg);
        } else if (step.startsWith(QLatin1String("append:"))) {
            number->end(false);
            QTest::keyClicks(number, arg);
        } else if (step == QLatin1String("bs")) {
            number->end(false);
            QTest::keyClick(number, Qt::Key_Backspace);
        } else if (step.startsWith(QLatin1String("expect:"))) {
            verifyShown(arg.toInt());
            if (QTest::currentTestFailed())
                return;
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        }
    }
}

void TestFrmTest::refusedCodes_data() {
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("registered");
    QTest::addColumn<QString>("message");

    QTest::newRow("cancelled") << false << QString() << "1" << NoCodeText;
    QTest::newRow("empty") << true << ""
                           << "1" << NoCodeText;
    QTest::newRow("unknown") << true << "13"
                             << "12" << NotFoundText;
    QTest::newRow("blanks are part of the code") << true << "5"
                                                 << " 5" << NotFoundText;
    QTest::newRow("leading zero is part of the code") << true << "05"
                                                      << "5" << NotFoundText;
}

void TestFrmTest::refusedCodes() {
    QFETCH(bool, answered);
    QFETCH(QString, input);
    QFETCH(QString, registered);
    QFETCH(QString, message);
    m_fixture->addTestTaker(registered);
    if (answered)
        m_dialogs->pushInput(input);

    StartTestRun(nullptr);

    QCOMPARE(m_dialogs->entries().size(), 2);
    const ScriptedDialogs::Entry &prompt = m_dialogs->entries().first();
    QCOMPARE(prompt.kind, ScriptedDialogs::Kind::Input);
    QCOMPARE(prompt.text, QStringLiteral(" Plese Insert Code "));
    QCOMPARE(prompt.title, QStringLiteral("Enter Code "));
    QCOMPARE(m_dialogs->timedTexts(), QStringList{message});
    QVERIFY(!form()->isVisible());
    QCOMPARE(m_fixture->count(QStringLiteral("Answer")), 0);
}

void TestFrmTest::registeredCodeWithoutRowGetsEmptyRow() {
    m_fixture->addTestTaker(QStringLiteral("7"),
                            {{QStringLiteral("FName"), QStringLiteral("Ali")}});
    m_fixture->addTestTaker(QStringLiteral("8"));
    m_fixture->addAnswers(QStringLiteral("8"), {QStringLiteral("2")});

    open(QStringLiteral("7"));

    QCOMPARE(m_fixture->count(QStringLiteral("Answer")), 2);
    QCOMPARE(m_fixture->answers(QStringLiteral("7")), emptyAnswers());
    QCOMPARE(m_fixture->answers(QStringLiteral("8")).first(), QStringLiteral("2"));
    QCOMPARE(form()->windowModality(), Qt::ApplicationModal);
    QCOMPARE(box(QStringLiteral("Text1"))->text(), QStringLiteral("7"));
    QCOMPARE(box(QStringLiteral("Text3"))->text(), QStringLiteral("Ali"));

    // Before "شروع" only the title, the instructions and "شروع" show.
    QVERIFY(!form()->isRunning());
    for (const char *name : {"SkinLabel3", "SkinLabel4", "Command1"})
        QVERIFY2(child<QWidget>(QString::fromLatin1(name))->isVisible(), name);
    for (const char *name :
         {"Frame1", "Frame2", "Text6", "SkinLbl5", "CmdNext", "CmdBack", "Command5"})
        QVERIFY2(!child<QWidget>(QString::fromLatin1(name))->isVisible(), name);

    // A second start for the same code finds the row instead of adding another.
    form()->close();
    open(QStringLiteral("7"));
    QCOMPARE(m_fixture->count(QStringLiteral("Answer")), 2);
}

void TestFrmTest::systemTexts() {
    m_fixture->addTestTaker(QStringLiteral("1"));
    begin(QStringLiteral("1"));
    // Arabic yeh U+064A and the Persian keheh U+06A9 as the window shows them.
    const struct {
        const char *control;
        QVector<ushort> codePoints;
    } expected[] = {
        {"Command5",
         {0x630, 0x62e, 0x64a, 0x631, 0x647, 0x20, 0x648, 0x20, 0x62e, 0x631, 0x648, 0x62c}},
        {"CmdNext", {0x628, 0x639, 0x62f, 0x64a}},
        {"Option2", {0x62a, 0x627, 0x20, 0x62d, 0x62f, 0x20, 0x627, 0x646, 0x62f, 0x6a9, 0x64a}},
        {"Option5", {0x6a9, 0x627, 0x645, 0x644, 0x627, 0x64b}},
    };
    for (const auto &item : expected) {
        const auto *widget = child<QAbstractButton>(QString::fromLatin1(item.control));
        QString text;
        for (ushort code : item.codePoints)
            text += QChar(code);
        QCOMPARE(widget->text(), text);
    }
    QVERIFY(form()->windowTitle().contains(QChar(0x64a)));
    QVERIFY(NoCodeText.contains(QChar(0x643))); // "كنيد" with the Arabic kaf
}

void TestFrmTest::road() {
    const QString code = QStringLiteral("101");
    m_fixture->addTestTaker(code);
    begin(code);

    QStringList chosen;
    for (int n = 1; n <= 80; ++n) {
        verifyShown(n);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(checkedOption(), 0);
        const int digit = (n * 7 + n / 9) % 5 + 1;
        chosen << QString::number(digit);
        option(digit)->click();
        QCOMPARE(checkedOption(), digit);
        button(QStringLiteral("CmdNext"))->click();
    }
    QCOMPARE(m_dialogs->timedTexts(), QStringList{EndText});
    QCOMPARE(box(QStringLiteral("Text6"))->text(), QStringLiteral("80"));
    verifyShown(80);

    button(QStringLiteral("Command5"))->click();

    QVERIFY(!form()->isVisible());
    QCOMPARE(m_fixture->answers(code), chosen);
    QCOMPARE(m_fixture->count(QStringLiteral("Answer")), 1);
    QCOMPARE(m_dialogs->entries().size(), 2); // the code prompt and "پايان"
}

void TestFrmTest::numberBox_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("question"); // whose stored answer is checked
    QTest::addColumn<QString>("stored");

    QTest::newRow("back at 1 rests on 0") << "pick3 back"
                                          << "0" << 1 << QStringList() << 1 << "3";
    QTest::newRow("back twice at 1 starts again") << "pick3 back back"
                                                  << "1" << 1 << QStringList{StartText} << 1 << "3";
    QTest::newRow("next at 80 ends") << "type:80 expect:80 pick4 next"
                                     << "80" << 80 << QStringList{EndText} << 80 << "4";
    QTest::newRow("typing 95") << "pick2 type:9 expect:9 append:5"
                               << "80" << 80 << QStringList{EndText} << 1 << "2";
    QTest::newRow("deleting all digits") << "type:7 expect:7 pick5 bs"
                                         << "1" << 1 << QStringList() << 7 << "";
    QTest::newRow("leading zero") << "type:0 expect:1 append:5"
                                  << "5" << 5 << QStringList() << 5 << "";
    QTest::newRow("zeros before a number") << "type:007"
                                           << "7" << 7 << QStringList() << 7 << "";
    QTest::newRow("enter presses next") << "pick1 enter"
                                        << "2" << 2 << QStringList() << 1 << "1";
    QTest::newRow("typing stores nothing") << "pick4 type:2"
                                           << "2" << 2 << QStringList() << 1 << "";
    QTest::newRow("back from 2") << "next pick5 back"
                                 << "1" << 1 << QStringList() << 2 << "5";
}

void TestFrmTest::numberBox() {
    QFETCH(QString, script);
    QFETCH(QString, box);
    QFETCH(int, shown);
    QFETCH(QStringList, messages);
    QFETCH(int, question);
    QFETCH(QString, stored);
    m_fixture->addTestTaker(QStringLiteral("1"));
    begin(QStringLiteral("1"));
    QVERIFY(!QTest::currentTestFailed());

    runSteps(script);
    QVERIFY(!QTest::currentTestFailed());

    QCOMPARE(this->box(QStringLiteral("Text6"))->text(), box);
    verifyShown(shown);
    QCOMPARE(m_dialogs->timedTexts(), messages);
    QCOMPARE(m_fixture->answers(QStringLiteral("1")).at(question - 1), stored);
}

void TestFrmTest::secondRunShowsEarlierAnswers() {
    const QString code = QStringLiteral("3");
    m_fixture->addTestTaker(code);
    m_fixture->addAnswers(code, {QStringLiteral("4"), QStringLiteral(""), QStringLiteral("2")});

    begin(code);
    QCOMPARE(checkedOption(), 4);
    runSteps(QStringLiteral("next expect:2 next expect:3 pick5"));
    QCOMPARE(checkedOption(), 5);
    button(QStringLiteral("Command5"))->click();
    QVERIFY(!form()->isVisible());
    QCOMPARE(m_fixture->answers(code).mid(0, 3),
             (QStringList{QStringLiteral("4"), QString(), QStringLiteral("5")}));

    // Back to the state before "شروع".
    QVERIFY(!form()->isRunning());
    QCOMPARE(box(QStringLiteral("Text6"))->text(), QStringLiteral("0"));
    QVERIFY(!button(QStringLiteral("CmdNext"))->isVisibleTo(form()));
    QVERIFY(!button(QStringLiteral("CmdBack"))->isVisibleTo(form()));
    QVERIFY(!button(QStringLiteral("Command5"))->isVisibleTo(form()));
    QVERIFY(button(QStringLiteral("Command1"))->isVisibleTo(form()));
    QVERIFY(child<QLabel>(QStringLiteral("SkinLabel3"))->isVisibleTo(form()));

    begin(code);
    QCOMPARE(checkedOption(), 4);
    runSteps(QStringLiteral("next expect:2 next expect:3"));
    QCOMPARE(checkedOption(), 5);
}

void TestFrmTest::closingStores_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("save and exit") << "Command5";
    QTest::newRow("escape") << "Escape";
    QTest::newRow("close box") << "close";
}

void TestFrmTest::closingStores() {
    QFETCH(QString, way);
    const QString code = QStringLiteral("21");
    m_fixture->addTestTaker(code, {{QStringLiteral("FName"), QStringLiteral("Ali")}});
    begin(code);
    runSteps(QStringLiteral("pick3 next pick2"));

    QLineEdit *name = box(QStringLiteral("Text3"));
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Sara"));
    QTest::keyClicks(box(QStringLiteral("Text5")), QStringLiteral("4x27"));
    QCOMPARE(box(QStringLiteral("Text5"))->text(), QStringLiteral("427"));

    if (way == QLatin1String("Command5"))
        button(way)->click();
    else if (way == QLatin1String("Escape"))
        QTest::keyClick(name, Qt::Key_Escape);
    else
        QVERIFY(form()->close());

    QVERIFY(!form()->isVisible());
    QVERIFY(!form()->isRunning());
    QCOMPARE(m_fixture->answers(code).mid(0, 3),
             (QStringList{QStringLiteral("3"), QStringLiteral("2"), QString()}));
    QCOMPARE(m_fixture->value(QStringLiteral("SELECT FName FROM IDE WHERE Code = ?"), {code}),
             QStringLiteral("Sara"));
    QCOMPARE(m_fixture->value(QStringLiteral("SELECT Sen FROM IDE WHERE Code = ?"), {code}),
             QStringLiteral("427"));
}

void TestFrmTest::optionLeftByTypingIsStoredAtNextStoringPoint() {
    const QString code = QStringLiteral("4");
    m_fixture->addTestTaker(code);
    begin(code);

    runSteps(QStringLiteral("pick3 type:5 expect:5"));
    QCOMPARE(checkedOption(), 0);
    QCOMPARE(m_fixture->answers(code).at(0), QString()); // typing stores nothing
    runSteps(QStringLiteral("pick2 type:1 expect:1"));
    QCOMPARE(checkedOption(), 3); // still in the working row

    button(QStringLiteral("CmdNext"))->click();
    const QStringList stored = m_fixture->answers(code);
    QCOMPARE(stored.at(0), QStringLiteral("3"));
    QCOMPARE(stored.at(4), QStringLiteral("2"));
}

void TestFrmTest::missingStatementShowsEmpty() {
    m_fixture->exec(QStringLiteral("DELETE FROM QUS WHERE ID = '2'"));
    m_fixture->addTestTaker(QStringLiteral("1"));
    begin(QStringLiteral("1"));
    QVERIFY(!child<QLabel>(QStringLiteral("SkinLbl5"))->text().isEmpty());

    runSteps(QStringLiteral("next"));
    QCOMPARE(shownQuestion(), QStringLiteral("2"));
    QCOMPARE(child<QLabel>(QStringLiteral("SkinLbl5"))->text(), QString());

    runSteps(QStringLiteral("pick4 next expect:3"));
    QCOMPARE(m_fixture->answers(QStringLiteral("1")).at(1), QStringLiteral("4"));
}

void TestFrmTest::failedStoreDuringRunIsRetried() {
    const QString code = QStringLiteral("9");
    m_fixture->addTestTaker(code);
    m_fixture->addAnswers(code);
    m_fixture->failWrites(QStringLiteral("Answer"), QStringLiteral("UPDATE"));
    begin(code);
    m_dialogs->clear();

    runSteps(QStringLiteral("pick3 next expect:2"));
    QCOMPARE(m_dialogs->entries().size(), 1);
    const ScriptedDialogs::Entry error = m_dialogs->entries().first();
    QCOMPARE(error.kind, ScriptedDialogs::Kind::Message);
    QCOMPARE(error.title, QStringLiteral("خطا"));
    QVERIFY2(error.text.contains(QStringLiteral("disk I/O error")), qPrintable(error.text));
    QCOMPARE(m_fixture->answers(code), emptyAnswers());

    // Past the last question: one error box for the one press, then "پايان".
    m_dialogs->clear();
    runSteps(QStringLiteral("pick1 type:80 pick5 next expect:80"));
    QCOMPARE(m_dialogs->entries().size(), 2);
    QCOMPARE(m_dialogs->entries().at(0).title, QStringLiteral("خطا"));
    QCOMPARE(m_dialogs->timedTexts(), QStringList{EndText});
    QCOMPARE(m_fixture->answers(code), emptyAnswers());

    // Every answer chosen is still in the working row; the next storing point writes them all.
    runSteps(QStringLiteral("type:1 expect:1"));
    QCOMPARE(checkedOption(), 3);
    m_fixture->allowWrites(QStringLiteral("Answer"), QStringLiteral("UPDATE"));
    m_dialogs->clear();
    runSteps(QStringLiteral("next"));
    QCOMPARE(m_dialogs->entries().size(), 0);
    QStringList expected = emptyAnswers();
    expected[0] = QStringLiteral("3");
    expected[1] = QStringLiteral("1");
    expected[79] = QStringLiteral("5");
    QCOMPARE(m_fixture->answers(code), expected);
}

void TestFrmTest::failedStoreOnExitKeepsWindow_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("way");
    QTest::newRow("answers, save and exit") << "Answer"
                                            << "Command5";
    QTest::newRow("answers, close box") << "Answer"
                                        << "close";
    QTest::newRow("particulars, save and exit") << "IDE"
                                                << "Command5";
    QTest::newRow("particulars, close box") << "IDE"
                                            << "close";
}

void TestFrmTest::failedStoreOnExitKeepsWindow() {
    QFETCH(QString, table);
    QFETCH(QString, way);
    const QString code = QStringLiteral("30");
    m_fixture->addTestTaker(code, {{QStringLiteral("FName"), QStringLiteral("Ali")}});
    begin(code);
    runSteps(QStringLiteral("pick3"));
    box(QStringLiteral("Text3"))->setText(QStringLiteral("Sara"));
    m_fixture->failWrites(table, QStringLiteral("UPDATE"));
    m_dialogs->clear();

    const auto leave = [&] {
        if (way == QLatin1String("Command5"))
            button(way)->click();
        else
            form()->close();
    };
    leave();

    QCOMPARE(m_dialogs->entries().size(), 1);
    QCOMPARE(m_dialogs->entries().first().title, QStringLiteral("خطا"));
    QVERIFY(m_dialogs->entries().first().text.contains(QStringLiteral("disk I/O error")));
    QVERIFY(form()->isVisible());
    QVERIFY(form()->isRunning());
    QCOMPARE(checkedOption(), 3);
    QCOMPARE(box(QStringLiteral("Text3"))->text(), QStringLiteral("Sara"));
    const QString storedName =
        m_fixture->value(QStringLiteral("SELECT FName FROM IDE WHERE Code = ?"), {code});
    if (table == QLatin1String("Answer"))
        QCOMPARE(m_fixture->answers(code).at(0), QString());
    else
        QCOMPARE(storedName, QStringLiteral("Ali"));

    QCOMPARE(m_dialogs->entries().first().buttons, DialogService::Buttons::YesNo);

    m_fixture->allowWrites(table, QStringLiteral("UPDATE"));
    leave();
    QVERIFY(!form()->isVisible());
    QCOMPARE(m_fixture->answers(code).at(0), QStringLiteral("3"));
    QCOMPARE(m_fixture->value(QStringLiteral("SELECT FName FROM IDE WHERE Code = ?"), {code}),
             QStringLiteral("Sara"));
}

void TestFrmTest::failedStoreOnExitLetsTheUserGo() {
    const QString code = QStringLiteral("31");
    m_fixture->addTestTaker(code);
    begin(code);
    runSteps(QStringLiteral("pick3"));
    m_fixture->failWrites(QStringLiteral("Answer"), QStringLiteral("UPDATE"));
    m_dialogs->pushReply(DialogService::Reply::Yes);
    button(QStringLiteral("Command5"))->click();
    QVERIFY(!form()->isVisible());
    QCOMPARE(m_fixture->answers(code).at(0), QString());
}

void TestFrmTest::failedAnswerRowCreationOpensNothing() {
    m_fixture->addTestTaker(QStringLiteral("9"));
    m_fixture->failWrites(QStringLiteral("Answer"), QStringLiteral("INSERT"));
    m_dialogs->pushInput(QStringLiteral("9"));

    StartTestRun(nullptr);

    QVERIFY(!form()->isVisible());
    QCOMPARE(m_fixture->count(QStringLiteral("Answer")), 0);
    QCOMPARE(m_dialogs->entries().size(), 2);
    QCOMPARE(m_dialogs->entries().at(1).title, QStringLiteral("خطا"));
    QVERIFY(m_dialogs->entries().at(1).text.contains(QStringLiteral("disk I/O error")));

    m_fixture->allowWrites(QStringLiteral("Answer"), QStringLiteral("INSERT"));
    open(QStringLiteral("9"));
    QCOMPARE(m_fixture->answers(QStringLiteral("9")), emptyAnswers());
}

void TestFrmTest::awkwardCodes_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("decoy");
    QTest::newRow("apostrophe") << "O'Brien"
                                << "O''Brien";
    QTest::newRow("percent") << "50%"
                             << "500";
    QTest::newRow("quote and backslash") << "a\"b\\c"
                                         << "a\"b\\\\c";
    QTest::newRow("inner blanks") << "12  34"
                                  << "12 34";
    QTest::newRow("1000 characters") << QString(1000, QLatin1Char('x')) << QString(999, 'x');
    QTest::newRow("Latin and Persian") << "Ali علي 7"
                                       << "Ali علي 7 ";
}

void TestFrmTest::awkwardCodes() {
    QFETCH(QString, code);
    QFETCH(QString, decoy);
    m_fixture->addTestTaker(decoy, {{QStringLiteral("FName"), QStringLiteral("Decoy")}});
    m_fixture->addAnswers(decoy);
    m_fixture->addTestTaker(code, {{QStringLiteral("FName"), QStringLiteral("Found")}});

    begin(code);
    QCOMPARE(box(QStringLiteral("Text1"))->text(), code);
    QCOMPARE(box(QStringLiteral("Text3"))->text(), QStringLiteral("Found"));
    runSteps(QStringLiteral("pick5"));
    button(QStringLiteral("Command5"))->click();

    QVERIFY(!form()->isVisible());
    QCOMPARE(m_fixture->value(QStringLiteral("SELECT count(*) FROM Answer WHERE Code = ?"), {code}),
             QStringLiteral("1"));
    QCOMPARE(m_fixture->answers(code).at(0), QStringLiteral("5"));
    QCOMPARE(m_fixture->answers(decoy), emptyAnswers());
}

QTEST_MAIN(TestFrmTest)
#include "tst_frmtest.moc"
