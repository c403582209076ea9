#include "app/frm1.h"
#include "app/mainwindowhost.h"
#include "data/datacontrol.h"
#include "programfixture.h"
#include "scoring/frmklid.h"
#include "scoring/frmp.h"
#include "scripteddialogs.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace kelvane;

namespace {

const QString kSaved = QStringLiteral("اطلاعات با موفقيت محاسبه و ذخيره شد");
const QString kChangesSaved = QStringLiteral("تغييرات ذخيره شد");
const QString kNoCode = QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد");
const QString kNotFound = QStringLiteral("فردي با اين مشخصات وجود ندارد");
const QString kUnanswered = QStringLiteral("شما به سوالات زير پاسخ نداده ايد");

const QStringList kScoreBoxes{QStringLiteral("Text2"),  QStringLiteral("Text4"),
                              QStringLiteral("Text14"), QStringLiteral("Text17"),
                              QStringLiteral("Text18"), QStringLiteral("Txt6"),
                              QStringLiteral("Text23"), QStringLiteral("Text22")};
const QStringList kScoreFields{QStringLiteral("zabani"),    QStringLiteral("manteghi"),
                               QStringLiteral("fazaee"),    QStringLiteral("badani"),
                               QStringLiteral("meynfardi"), QStringLiteral("daronfardi"),
                               QStringLiteral("mouzical"),  QStringLiteral("tabeatgara")};

QStringList filled(const QString &answer) {
    return QStringList(80, answer);
}

// Scale k's questions all answered (k - 1) % 5 + 1: scores 10, 20, 30, 40, 50, 10, 20, 30.
QStringList stepped() {
    QStringList answers;
    for (int n = 1; n <= 80; ++n)
        answers << QString::number((n - 1) % 8 % 5 + 1);
    return answers;
}
const QStringList kSteppedScores{QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30"),
                                 QStringLiteral("40"), QStringLiteral("50"), QStringLiteral("10"),
                                 QStringLiteral("20"), QStringLiteral("30")};

} // namespace

class TestFrmkLID : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void emptyCodeChangesNothing();
    void unknownCodeHidesPanels_data();
    void unknownCodeHidesPanels();
    void scoresShownInScaleOrderAndStored();
    void unansweredWarning_data();
    void unansweredWarning();
    void choosingAgainRescores();
    void codeIsPlainText_data();
    void codeIsPlainText();
    void particularsSaved();
    void failedWriteReportedInsteadOfSuccess_data();
    void failedWriteReportedInsteadOfSuccess();
    void typedParticularsStoredWhenLeft_data();
    void typedParticularsStoredWhenLeft();
    void failedStoreOfTypedParticularsKeepsThem();
    void profileOnlyOnceChosen();
    void helpPanel();
    void unloadShowsMainWindow_data();
    void unloadShowsMainWindow();

private:
    void choose(const QString &code);
    QLineEdit *box(const QString &name) const;
    QPushButton *button(const QString &name) const;
    QFrame *panel(const QString &name) const;
    QStringList scoreBoxTexts() const;
    QStringList storedScores(const QString &code);

    ProgramFixture *m_fixture = nullptr;
    ScriptedDialogs *m_dialogs = nullptr;
    QPointer<FrmkLID> m_window;
};

void TestFrmkLID::init() {
    m_fixture = new ProgramFixture;
    m_dialogs = new ScriptedDialogs;
    m_window = new FrmkLID;
}

void TestFrmkLID::cleanup() {
    delete m_window;
    delete Frmp::loaded();
    delete MainWindowHost::loaded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete m_dialogs;
    delete m_fixture;
}

void TestFrmkLID::choose(const QString &code) {
    m_dialogs->pushInput(code);
    button(QStringLiteral("Command1"))->click();
}

QLineEdit *TestFrmkLID::box(const QString &name) const {
    QLineEdit *edit = m_window->findChild<QLineEdit *>(name);
    if (!edit)
        qFatal("no box %s", qPrintable(name));
    return edit;
}

QPushButton *TestFrmkLID::button(const QString &name) const {
    QPushButton *command = m_window->findChild<QPushButton *>(name);
    if (!command)
        qFatal("no command %s", qPrintable(name));
    return command;
}

QFrame *TestFrmkLID::panel(const QString &name) const {
    return m_window->findChild<QFrame *>(name);
}

QStringList TestFrmkLID::scoreBoxTexts() const {
    QStringList texts;
    for (const QString &name : kScoreBoxes)
        texts << box(name)->text();
    return texts;
}

QStringList TestFrmkLID::storedScores(const QString &code) {
    QStringList scores;
    for (const QString &field : kScoreFields)
        scores << m_fixture->value(
            QStringLiteral("SELECT \"%1\" FROM \"IDE\" WHERE \"Code\" = ?").arg(field), {code});
    return scores;
}

void TestFrmkLID::emptyCodeChangesNothing() {
    m_fixture->addTestTaker(QStringLiteral("1"));
    m_fixture->addAnswers(QStringLiteral("1"), filled(QStringLiteral("2")));

    choose(QString());
    QCOMPARE(m_dialogs->entries().size(), 2);
    const ScriptedDialogs::Entry input = m_dialogs->entries().at(0);
    QCOMPARE(input.kind, ScriptedDialogs::Kind::Input);
    QCOMPARE(input.text, QStringLiteral(" Enter Number "));
    QCOMPARE(input.title, QStringLiteral(" کد آزمودني را وارد کنيد"));
    QCOMPARE(m_dialogs->timedTexts(), QStringList{kNoCode});
    QVERIFY(panel(QStringLiteral("Frame5"))->isHidden());
    QVERIFY(panel(QStringLiteral("Frame3"))->isHidden());

    // From the chosen state, a cancelled input leaves the test-taker on screen.
    choose(QStringLiteral("1"));
    QVERIFY(m_window->isChosen());
    m_dialogs->clear();
    choose(QString());
    QCOMPARE(m_dialogs->timedTexts(), QStringList{kNoCode});
    QVERIFY(m_window->isChosen());
    QCOMPARE(box(QStringLiteral("Text15"))->text(), QStringLiteral("1"));
    QCOMPARE(box(QStringLiteral("Text2"))->text(), QStringLiteral("20"));
}

void TestFrmkLID::unknownCodeHidesPanels_data() {
    QTest::addColumn<QString>("code");
    QTest::newRow("unknown") << QStringLiteral("99");
    QTest::newRow("leading blank") << QStringLiteral(" 12");
    QTest::newRow("leading zero") << QStringLiteral("012");
    QTest::newRow("apostrophe") << QStringLiteral("12' OR '1'='1");
}

void TestFrmkLID::unknownCodeHidesPanels() {
    QFETCH(QString, code);
    m_fixture->addTestTaker(QStringLiteral("12"));
    m_fixture->addAnswers(QStringLiteral("12"), filled(QStringLiteral("3")));
    choose(QStringLiteral("12"));
    QVERIFY(m_window->isChosen());
    m_dialogs->clear();

    choose(code);
    QCOMPARE(m_dialogs->timedTexts(), QStringList{kNotFound});
    QCOMPARE(m_dialogs->entries().size(), 2); // the input box and the message, no warning
    QVERIFY(panel(QStringLiteral("Frame5"))->isHidden());
    QVERIFY(panel(QStringLiteral("Frame3"))->isHidden());
    QVERIFY(!m_window->isChosen());
}

void TestFrmkLID::scoresShownInScaleOrderAndStored() {
    m_fixture->addTestTaker(QStringLiteral("5"),
                            {{QStringLiteral("FName"), QStringLiteral("علي")},
                             {QStringLiteral("LName"), QStringLiteral("رضايي")},
                             {QStringLiteral("Sen"), QStringLiteral("31")},
                             {QStringLiteral("Group"), QStringLiteral("C")},
                             {QStringLiteral("Date"), QStringLiteral("1402/01/05")}});
    m_fixture->addAnswers(QStringLiteral("5"), stepped());
    m_fixture->addTestTaker(QStringLiteral("6"));

    choose(QStringLiteral("5"));

    QVERIFY(!panel(QStringLiteral("Frame5"))->isHidden());
    QVERIFY(!panel(QStringLiteral("Frame3"))->isHidden());
    QCOMPARE(box(QStringLiteral("Text15"))->text(), QStringLiteral("5"));
    QCOMPARE(box(QStringLiteral("Text3(3)"))->text(), QStringLiteral("علي"));
    QCOMPARE(box(QStringLiteral("Text12"))->text(), QStringLiteral("رضايي"));
    QCOMPARE(box(QStringLiteral("Text6"))->text(), QStringLiteral("31"));
    QCOMPARE(box(QStringLiteral("Txtgroup"))->text(), QStringLiteral("C"));
    QCOMPARE(box(QStringLiteral("Text8"))->text(), QStringLiteral("1402/01/05"));

    QCOMPARE(scoreBoxTexts(), kSteppedScores);
    QCOMPARE(storedScores(QStringLiteral("5")), kSteppedScores);
    QCOMPARE(storedScores(QStringLiteral("6")), QStringList(8, QString()));
    QCOMPARE(m_dialogs->entries().size(), 2); // no warning
    QCOMPARE(m_dialogs->timedTexts(), QStringList{kSaved});
}

void TestFrmkLID::unansweredWarning_data() {
    QTest::addColumn<bool>("hasAnswerRow");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("score");

    QStringList firstEightEmpty = filled(QStringLiteral("5"));
    for (int n = 0; n < 8; ++n)
        firstEightEmpty[n] = QStringLiteral(""); // stored empty, not NULL
    QString everyQuestion;
    for (int n = 1; n <= 80; ++n)
        everyQuestion += QStringLiteral(" %1  ").arg(n);

    QTest::newRow("questions 1-8")
        << true << firstEightEmpty << QStringLiteral(" 1   2   3   4   5   6   7   8  ")
        << QStringLiteral("45");
    QTest::newRow("empty answer row")
        << true << QStringList() << everyQuestion << QStringLiteral("0");
    QTest::newRow("no answer row")
        << false << QStringList() << everyQuestion << QStringLiteral("0");
}

void TestFrmkLID::unansweredWarning() {
    QFETCH(bool, hasAnswerRow);
    QFETCH(QStringList, answers);
    QFETCH(QString, list);
    QFETCH(QString, score);
    m_fixture->addTestTaker(QStringLiteral("8"));
    if (hasAnswerRow)
        m_fixture->addAnswers(QStringLiteral("8"), answers);

    bool panelsUp = false;
    m_dialogs->onShow([&](const ScriptedDialogs::Entry &entry) {
        if (entry.kind == ScriptedDialogs::Kind::Message)
            panelsUp = m_window->isChosen();
    });
    choose(QStringLiteral("8"));

    QCOMPARE(m_dialogs->entries().size(), 3);
    const ScriptedDialogs::Entry warning = m_dialogs->entries().at(1);
    QCOMPARE(warning.kind, ScriptedDialogs::Kind::Message);
    QCOMPARE(warning.title, QStringLiteral("خطا"));
    QCOMPARE(warning.icon, DialogService::Icon::Warning);
    QCOMPARE(warning.buttons, DialogService::Buttons::Ok);
    QCOMPARE(warning.text, kUnanswered + QStringLiteral("\r\n\r\n") + list);
    QVERIFY(panelsUp);

    // Scoring goes on after the warning, each unanswered question counting 0.
    QCOMPARE(scoreBoxTexts(), QStringList(8, score));
    QCOMPARE(storedScores(QStringLiteral("8")), QStringList(8, score));
    QCOMPARE(m_dialogs->entries().at(2).text, kSaved);
}

void TestFrmkLID::choosingAgainRescores() {
    m_fixture->addTestTaker(QStringLiteral("1"), {{QStringLiteral("FName"), QStringLiteral("A")}});
    m_fixture->addAnswers(QStringLiteral("1"), stepped());
    m_fixture->addTestTaker(QStringLiteral("2"), {{QStringLiteral("FName"), QStringLiteral("B")}});
    m_fixture->addAnswers(QStringLiteral("2"), filled(QStringLiteral("4")));

    choose(QStringLiteral("1"));
    choose(QStringLiteral("1"));
    QCOMPARE(m_dialogs->timedTexts(), (QStringList{kSaved, kSaved}));
    QCOMPARE(storedScores(QStringLiteral("1")), kSteppedScores);

    choose(QStringLiteral("2"));
    QCOMPARE(box(QStringLiteral("Text15"))->text(), QStringLiteral("2"));
    QCOMPARE(box(QStringLiteral("Text3(3)"))->text(), QStringLiteral("B"));
    QCOMPARE(scoreBoxTexts(), QStringList(8, QStringLiteral("40")));
    QCOMPARE(storedScores(QStringLiteral("2")), QStringList(8, QStringLiteral("40")));

    // Answers changed elsewhere since the window opened are seen at the next choice.
    m_fixture->exec(QStringLiteral("UPDATE \"Answer\" SET \"1\" = '1' WHERE \"Code\" = '2'"));
    choose(QStringLiteral("2"));
    QCOMPARE(box(QStringLiteral("Text2"))->text(), QStringLiteral("37"));
    QCOMPARE(storedScores(QStringLiteral("2")).first(), QStringLiteral("37"));
    QCOMPARE(storedScores(QStringLiteral("1")), kSteppedScores);
}

void TestFrmkLID::codeIsPlainText_data() {
    QTest::addColumn<QString>("code");
    QTest::newRow("apostrophe") << QStringLiteral("o'brien");
    QTest::newRow("double quote") << QStringLiteral("a\"b");
    QTest::newRow("backslash") << QStringLiteral("c:\\x");
    QTest::newRow("percent") << QStringLiteral("50%");
    QTest::newRow("inner blanks") << QStringLiteral("1  2");
    QTest::newRow("mixed scripts") << QStringLiteral("Ali علي 7");
    QTest::newRow("1000 characters") << QString(1000, QLatin1Char('9'));
}

void TestFrmkLID::codeIsPlainText() {
    QFETCH(QString, code);
    m_fixture->addTestTaker(code);
    m_fixture->addAnswers(code, filled(QStringLiteral("2")));
    // Near misses that a pattern or a trimmed comparison would also find.
    const QString decoy = code.left(code.size() - 1) + QLatin1Char('_');
    m_fixture->addTestTaker(decoy);
    m_fixture->addAnswers(decoy, filled(QStringLiteral("5")));
    m_fixture->addTestTaker(QLatin1Char(' ') + code);

    choose(code);
    QCOMPARE(box(QStringLiteral("Text15"))->text(), code);
    QCOMPARE(storedScores(code), QStringList(8, QStringLiteral("20")));
    QCOMPARE(storedScores(decoy), QStringList(8, QString()));
    QCOMPARE(storedScores(QLatin1Char(' ') + code), QStringList(8, QString()));
    QCOMPARE(m_dialogs->timedTexts(), QStringList{kSaved});
}

void TestFrmkLID::particularsSaved() {
    m_fixture->addTestTaker(QStringLiteral("3"), {{QStringLiteral("FName"), QStringLiteral("old")},
                                                  {QStringLiteral("Group"), QStringLiteral("B")}});
    m_fixture->addAnswers(QStringLiteral("3"), filled(QStringLiteral("1")));
    choose(QStringLiteral("3"));
    m_dialogs->clear();

    const QString name = QStringLiteral("زهرا 'Z' \"q\" \\ 10% ") + QString(300, QChar(0x06CC));
    box(QStringLiteral("Text3(3)"))->setText(name);
    box(QStringLiteral("Text6"))->setText(QStringLiteral("1234"));
    box(QStringLiteral("Text7"))->setText(QStringLiteral("ليسانس"));
    button(QStringLiteral("Cmdsave"))->click();

    QCOMPARE(m_dialogs->timedTexts(), QStringList{kChangesSaved});
    auto stored = [this](const char *field) {
        return m_fixture->value(
            QStringLiteral("SELECT \"%1\" FROM \"IDE\" WHERE \"Code\" = '3'").arg(field));
    };
    QCOMPARE(stored("FName"), name);
    QCOMPARE(stored("Sen"), QStringLiteral("123")); // the age box takes three characters
    QCOMPARE(stored("Tahsil"), QStringLiteral("ليسانس"));
    QCOMPARE(stored("Group"), QStringLiteral("B"));
    // The particulars' own view of the row never held the new scores: they must survive.
    QCOMPARE(storedScores(QStringLiteral("3")), QStringList(8, QStringLiteral("10")));
}

void TestFrmkLID::failedWriteReportedInsteadOfSuccess_data() {
    QTest::addColumn<bool>("particulars");
    QTest::newRow("scores") << false;
    QTest::newRow("particulars") << true;
}

void TestFrmkLID::failedWriteReportedInsteadOfSuccess() {
    QFETCH(bool, particulars);
    m_fixture->addTestTaker(QStringLiteral("4"),
                            {{QStringLiteral("FName"), QStringLiteral("old")}});
    m_fixture->addAnswers(QStringLiteral("4"), filled(QStringLiteral("5")));
    if (particulars)
        choose(QStringLiteral("4"));
    m_fixture->failWrites(QStringLiteral("IDE"), QStringLiteral("UPDATE"));
    m_dialogs->clear();

    QString success;
    if (particulars) {
        box(QStringLiteral("Text3(3)"))->setText(QStringLiteral("new"));
        button(QStringLiteral("Cmdsave"))->click();
        success = kChangesSaved;
    } else {
        choose(QStringLiteral("4"));
        success = kSaved;
    }

    const ScriptedDialogs::Entry error = m_dialogs->entries().last();
    QCOMPARE(error.kind, ScriptedDialogs::Kind::Message);
    QCOMPARE(error.title, QStringLiteral("خطا"));
    QVERIFY2(error.text.contains(QStringLiteral("disk I/O error")), qPrintable(error.text));
    QVERIFY(!m_dialogs->timedTexts().contains(success));

    // What was computed or typed stays on screen; nothing new reached the file.
    QCOMPARE(scoreBoxTexts(), QStringList(8, QStringLiteral("50")));
    if (particulars) {
        QCOMPARE(box(QStringLiteral("Text3(3)"))->text(), QStringLiteral("new"));
        QCOMPARE(m_fixture->value(QStringLiteral("SELECT \"FName\" FROM \"IDE\"")),
                 QStringLiteral("old"));
    } else {
        QCOMPARE(storedScores(QStringLiteral("4")), QStringList(8, QString()));
    }
}

void TestFrmkLID::typedParticularsStoredWhenLeft_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("same code again") << QStringLiteral("3");
    QTest::newRow("another code") << QStringLiteral("4");
    QTest::newRow("unknown code") << QStringLiteral("77");
    QTest::newRow("Command4") << QStringLiteral("Command4");
    QTest::newRow("close box") << QStringLiteral("close");
}

void TestFrmkLID::typedParticularsStoredWhenLeft() {
    QFETCH(QString, how);
    m_fixture->addTestTaker(QStringLiteral("3"),
                            {{QStringLiteral("FName"), QStringLiteral("old")}});
    m_fixture->addAnswers(QStringLiteral("3"), filled(QStringLiteral("2")));
    m_fixture->addTestTaker(QStringLiteral("4"), {{QStringLiteral("FName"), QStringLiteral("B")}});
    m_fixture->addAnswers(QStringLiteral("4"), filled(QStringLiteral("4")));
    m_window->show();
    choose(QStringLiteral("3"));
    box(QStringLiteral("Text3(3)"))->setText(QStringLiteral("new"));
    m_dialogs->clear();

    if (how == QLatin1String("Command4")) {
        button(how)->click();
    } else if (how == QLatin1String("close")) {
        m_window->close();
    } else {
        choose(how);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(m_fixture->value(QStringLiteral("SELECT \"FName\" FROM \"IDE\" WHERE \"Code\" = '3'")),
             QStringLiteral("new"));
    QCOMPARE(m_fixture->value(QStringLiteral("SELECT \"FName\" FROM \"IDE\" WHERE \"Code\" = '4'")),
             QStringLiteral("B"));
    for (const ScriptedDialogs::Entry &entry : m_dialogs->entries())
        QVERIFY2(entry.kind != ScriptedDialogs::Kind::Message, qPrintable(entry.text));
    if (how == QLatin1String("Command4") || how == QLatin1String("close")) {
        QVERIFY(!m_window);
        QVERIFY(MainWindowHost::loaded());
    } else if (how == QLatin1String("3")) {
        QCOMPARE(box(QStringLiteral("Text3(3)"))->text(), QStringLiteral("new"));
        QCOMPARE(m_dialogs->timedTexts(), QStringList{kSaved});
    }
}

void TestFrmkLID::failedStoreOfTypedParticularsKeepsThem() {
    m_fixture->addTestTaker(QStringLiteral("3"),
                            {{QStringLiteral("FName"), QStringLiteral("old")}});
    m_fixture->addAnswers(QStringLiteral("3"), filled(QStringLiteral("2")));
    m_fixture->addTestTaker(QStringLiteral("4"));
    m_fixture->addAnswers(QStringLiteral("4"), filled(QStringLiteral("4")));
    m_window->show();
    choose(QStringLiteral("3"));
    box(QStringLiteral("Text3(3)"))->setText(QStringLiteral("new"));
    m_fixture->failWrites(QStringLiteral("IDE"), QStringLiteral("UPDATE"));
    m_dialogs->clear();

    // Choosing another test-taker reports the failure and keeps the one on screen.
    choose(QStringLiteral("4"));
    QCOMPARE(m_dialogs->entries().size(), 2);
    const ScriptedDialogs::Entry error = m_dialogs->entries().at(1);
    QCOMPARE(error.title, QStringLiteral("خطا"));
    QVERIFY2(error.text.contains(QStringLiteral("disk I/O error")), qPrintable(error.text));
    QVERIFY(m_window->isChosen());
    QCOMPARE(box(QStringLiteral("Text15"))->text(), QStringLiteral("3"));
    QCOMPARE(box(QStringLiteral("Text3(3)"))->text(), QStringLiteral("new"));

    // Closing asks; No keeps the window and the typed text.
    m_dialogs->clear();
    m_dialogs->pushReply(DialogService::Reply::No);
    QVERIFY(!m_window->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_window && m_window->isVisible());
    QCOMPARE(m_dialogs->entries().size(), 1);
    QCOMPARE(m_dialogs->entries().first().buttons, DialogService::Buttons::YesNo);
    QCOMPARE(box(QStringLiteral("Text3(3)"))->text(), QStringLiteral("new"));
    QVERIFY(!MainWindowHost::loaded());

    // Yes lets the edits go.
    m_dialogs->pushReply(DialogService::Reply::Yes);
    QVERIFY(m_window->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window);
    QVERIFY(MainWindowHost::loaded());
    QCOMPARE(m_fixture->value(QStringLiteral("SELECT \"FName\" FROM \"IDE\" WHERE \"Code\" = '3'")),
             QStringLiteral("old"));
}

void TestFrmkLID::profileOnlyOnceChosen() {
    m_fixture->addTestTaker(QStringLiteral("9"),
                            {{QStringLiteral("FName"), QStringLiteral("Sara")}});
    m_fixture->addAnswers(QStringLiteral("9"), stepped());

    button(QStringLiteral("Cmdprof"))->click();
    QVERIFY(!Frmp::loaded());
    choose(QStringLiteral("77"));
    button(QStringLiteral("Cmdprof"))->click();
    QVERIFY(!Frmp::loaded());

    choose(QStringLiteral("9"));
    button(QStringLiteral("Cmdprof"))->click();
    Frmp *sheet = Frmp::loaded();
    QVERIFY(sheet);
    QCOMPARE(sheet->findChild<QLabel *>(QStringLiteral("lblSID(0)"))->text(), QStringLiteral("9"));
    QCOMPARE(sheet->findChild<QLabel *>(QStringLiteral("LblKHAM(4)"))->text(),
             QStringLiteral("50"));
    QCOMPARE(sheet->barWidthTwips(4), 8250);
}

void TestFrmkLID::helpPanel() {
    const QStringList lines{
        QStringLiteral("در اين قسمت از نرم افزار ابتدا روي انتخاب آزمودني "),
        QStringLiteral("کليک کرده سپس کد آزمودني را وارد کنيد و دکمه "),
        QStringLiteral("اينتر را فشار دهيد نتيجه آزمون نمايش داده و ذخيره "),
        QStringLiteral("خواهد شد در صورتيکه تمايل داريد نتيجه آزمون را "),
        QStringLiteral("پرينت بگيريد روي دکمه پروفايل کليک کنيد و در صورتيکه تمايل به پرينت نتيجه "
                       "آزمون "),
        QStringLiteral("کل آزمودنيها را داريد روي دکمه پرينت کل آزمودنيها "),
        QStringLiteral("کليک کنيد")};
    QCOMPARE(FrmkLID::helpText(), lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    QVERIFY(FrmkLID::helpText().contains(QChar(0x06A9))); // keheh
    QVERIFY(FrmkLID::helpText().contains(QChar(0x064A))); // Arabic yeh

    auto *text = m_window->findChild<QPlainTextEdit *>(QStringLiteral("Text21"));
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->toPlainText(), lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));

    QFrame *help = panel(QStringLiteral("Frame2"));
    QVERIFY(help->isHidden());
    button(QStringLiteral("Command2"))->click();
    QVERIFY(!help->isHidden());
    button(QStringLiteral("Command7"))->click();
    QVERIFY(help->isHidden());
    QVERIFY(m_dialogs->entries().isEmpty());
}

void TestFrmkLID::unloadShowsMainWindow_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Command4") << QStringLiteral("Command4");
    QTest::newRow("Esc") << QStringLiteral("Esc");
    QTest::newRow("close box") << QStringLiteral("close");
}

void TestFrmkLID::unloadShowsMainWindow() {
    QFETCH(QString, how);
    QVERIFY(!MainWindowHost::loaded());
    m_window->show();
    if (how == QLatin1String("Command4")) {
        QCOMPARE(button(how)->text(), QStringLiteral(" خروج"));
        button(how)->click();
    } else if (how == QLatin1String("Esc")) {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QTest::keyClick(m_window, Qt::Key_Escape);
    } else {
        m_window->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window);
    Frm1 *main = MainWindowHost::loaded();
    QVERIFY(main);
    QVERIFY(main->isVisible());
    QCOMPARE(main->leaveFlag(), QStringLiteral("2"));
}

QTEST_MAIN(TestFrmkLID)
#include "tst_frmklid.moc"
