#include "app/frm1.h"
#include "app/registrationpanel.h"
#include "common/jalalidate.h"
#include "common/layout.h"
#include "programfixture.h"
#include "scripteddialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace kelvane;

namespace {

const QString CodeMessage = QStringLiteral("کد آزمودني را وارد کنيد");
const QString ClashMessage = QStringLiteral("فردديگري با اين کد ثبت شده");

// What the user fills in; lists by their shown text ("" leaves a list unchosen).
struct Particulars {
    QString code = QStringLiteral("1");
    QString name = QStringLiteral("علي");
    QString family = QStringLiteral("رضايي");
    QString age = QStringLiteral("27");
    QString marital = QStringLiteral("متأهل");
    QString sex = QStringLiteral("زن");
    QString group = QStringLiteral("C");
    QString education = QStringLiteral("ليسانس");
};

} // namespace

class TestRegistration : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void openingPreparesANewRow();
    void proposal_data();
    void proposal();
    void checksStopAtTheFirstEmptyField_data();
    void checksStopAtTheFirstEmptyField();
    void clashKeepsThePanelAndInput();
    void saveStoresExactlyWhatWasTyped();
    void listsKeepTheirChoiceForTheNextRegistration();
    void codeIsTrimmedInBothRows_data();
    void codeIsTrimmedInBothRows();
    void failedStoreKeepsBothRowsOutAndTheInput_data();
    void failedStoreKeepsBothRowsOutAndTheInput();
    void oddTextIsStoredAndFoundExactly_data();
    void oddTextIsStoredAndFoundExactly();
    void ageTakesPersianDigitsAsAscii_data();
    void ageTakesPersianDigitsAsAscii();
    void cancelDropsTheRow();

private:
    void openMain();
    template <typename T> T *child(const char *name) const {
        T *widget = m_main->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QLineEdit *box(const char *name) const { return child<QLineEdit>(name); }
    QWidget *panel() const { return child<QWidget>("Frame10"); }
    void clickOpen() { child<QPushButton>("Command1")->click(); }
    void clickSave() { child<QPushButton>("Command8")->click(); }
    void fill(const Particulars &p);
    QString stored(const QString &field, const QString &code);

    ProgramFixture *m_fixture = nullptr;
    ScriptedDialogs *m_dialogs = nullptr;
    QPointer<Frm1> m_main;
};

void TestRegistration::init() {
    m_fixture = new ProgramFixture;
    m_dialogs = new ScriptedDialogs;
}

void TestRegistration::cleanup() {
    delete m_main;
    delete m_dialogs;
    m_dialogs = nullptr;
    delete m_fixture;
    m_fixture = nullptr;
}

void TestRegistration::openMain() {
    m_main = new Frm1;
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
}

void TestRegistration::fill(const Particulars &p) {
    box("Text11")->setText(p.code);
    box("Text6")->setText(p.name);
    box("Text4")->setText(p.family);
    box("Text5")->setText(p.age);
    box("Text7")->setText(p.education);
    child<QComboBox>("Combo1")->setCurrentText(p.marital);
    child<QComboBox>("Combo2")->setCurrentText(p.sex);
    child<QComboBox>("Combo3")->setCurrentText(p.group);
    if (p.marital.isEmpty())
        child<QComboBox>("Combo1")->setCurrentIndex(-1);
    if (p.sex.isEmpty())
        child<QComboBox>("Combo2")->setCurrentIndex(-1);
    if (p.group.isEmpty())
        child<QComboBox>("Combo3")->setCurrentIndex(-1);
}

QString TestRegistration::stored(const QString &field, const QString &code) {
    return m_fixture->value(
        QStringLiteral("SELECT \"%1\" FROM \"IDE\" WHERE \"Code\" = ?").arg(field), {code});
}

void TestRegistration::openingPreparesANewRow() {
    m_fixture->addTestTaker(QStringLiteral("1"), {{QStringLiteral("FName"), QStringLiteral("x")}});
    openMain();
    QWidget *settings = child<QWidget>("Frame8");
    settings->show();

    clickOpen();

    QVERIFY(settings->isHidden()); // HidePanels ran
    QVERIFY(panel()->isVisible());
    QCOMPARE(panel()->geometry(), QRect(twips(1005), twips(780), twips(7215), twips(2895)));
    QVERIFY(!child<QPushButton>("Command1")->isEnabled());
    QCOMPARE(m_main->focusWidget(), box("Text6"));
    QCOMPARE(box("Text8")->text(), JalaliDate(QDate::currentDate(), 0));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"))
                .match(box("Text9")->text())
                .hasMatch());
    QVERIFY(box("Text9")->isReadOnly());
    QCOMPARE(box("Text11")->text(), QStringLiteral("2"));
    // The new row starts empty: nothing of the stored row shows through.
    QCOMPARE(box("Text6")->text(), QString());
    QCOMPARE(m_fixture->count(QStringLiteral("IDE")), 1);
    QVERIFY(m_dialogs->entries().isEmpty());
}

void TestRegistration::proposal_data() {
    QTest::addColumn<QStringList>("codes"); // in stored order
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty table") << QStringList() << QString();
    QTest::newRow("1, 2, 3") << QStringList{"1", "2", "3"} << "4";
    QTest::newRow("4, 5 taken earlier") << QStringList{"4", "5", "1", "2", "3"} << "6";
    QTest::newRow("from the last added, not the highest") << QStringList{"7", "3"} << "4";
    QTest::newRow("last code has no number") << QStringList{"abc"} << "1";
    QTest::newRow("no number, 1 taken") << QStringList{"1", "abc"} << "2";
    QTest::newRow("no number, a run with gaps and look-alikes taken")
        << QStringList{"3", "1", "2", "2", "04", "5", " 4", "6x", "abc"} << "4";
    QTest::newRow("run up to the last added") << QStringList{"2", "3", "4", "1"} << "5";
    QTest::newRow("blanks around") << QStringList{" 12 "} << "13";
    QTest::newRow("letters after") << QStringList{"12x"} << "13";
    QTest::newRow("fraction") << QStringList{"2.5"} << "3";
    QTest::newRow("taken only with blanks") << QStringList{" 6", "5"} << "6";
    QTest::newRow("taken only with a zero") << QStringList{"06", "5"} << "6";
    QTest::newRow("highest number has no successor")
        << QStringList{"99999999999999999999"} << QString();
}

void TestRegistration::proposal() {
    QFETCH(QStringList, codes);
    QFETCH(QString, expected);
    for (const QString &code : codes)
        m_fixture->addTestTaker(code);
    openMain();

    clickOpen();
    QCOMPARE(box("Text11")->text(), expected);

    // Asked again, it gives the same answer.
    m_main->findChild<RegistrationPanel *>()->ProposeCode();
    QCOMPARE(box("Text11")->text(), expected);
}

void TestRegistration::checksStopAtTheFirstEmptyField_data() {
    QTest::addColumn<QString>("empty"); // the first field left empty
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    QTest::newRow("code") << "code" << CodeMessage << "Text11";
    QTest::newRow("code of blanks") << "blank code" << CodeMessage << "Text11";
    QTest::newRow("name") << "name" << QStringLiteral("نام آزمودني را وارد کنيد") << "Text6";
    QTest::newRow("family") << "family" << QStringLiteral("نام خانوادگي آزمودني را وارد کنيد")
                            << "Text4";
    QTest::newRow("sex") << "sex" << QStringLiteral("جنسيت آزمودني را مشخص کنيد") << "Combo2";
    QTest::newRow("age") << "age" << QStringLiteral("سن آزمودني را وارد کنيد") << "Text5";
    QTest::newRow("marital") << "marital" << QStringLiteral("وضعيت تاهل آزمودني را مشخص کنيد")
                             << "Combo1";
    QTest::newRow("group") << "group" << QStringLiteral("گروه را مشخص کنيد") << "Combo3";
    QTest::newRow("education") << "education"
                               << QStringLiteral("ميزان تحصيلات آزمودني را وارد کنيد") << "Text7";
    QTest::newRow("everything") << "everything" << CodeMessage << "Text11";
}

void TestRegistration::checksStopAtTheFirstEmptyField() {
    QFETCH(QString, empty);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    // The system's letter forms: Arabic yeh, never the Persian one.
    QVERIFY(message.contains(QChar(0x064A)) && !message.contains(QChar(0x06CC)));

    openMain();
    clickOpen();
    // Everything after the empty field is left empty too: the order decides.
    Particulars p;
    const QStringList order{"code", "name",    "family", "sex",
                            "age",  "marital", "group",  "education"};
    const int from = empty == QLatin1String("everything") ? 0 : int(order.indexOf(empty));
    QString *fields[] = {&p.code, &p.name,    &p.family, &p.sex,
                         &p.age,  &p.marital, &p.group,  &p.education};
    if (empty == QLatin1String("blank code")) {
        p.code = QStringLiteral("   ");
    } else {
        for (int i = from; i < order.size(); ++i)
            fields[i]->clear();
    }
    fill(p);

    clickSave();

    QCOMPARE(m_dialogs->texts(), QStringList{message});
    QCOMPARE(m_main->focusWidget()->objectName(), focus);
    QCOMPARE(m_fixture->count(QStringLiteral("IDE")), 0);
    QCOMPARE(m_fixture->count(QStringLiteral("Answer")), 0);
    QVERIFY(panel()->isVisible());
    QCOMPARE(box("Text11")->text(), p.code); // unchanged, blanks and all
    QCOMPARE(box("Text6")->text(), p.name);
    QCOMPARE(m_main->leaveFlag(), QStringLiteral("2"));
}

void TestRegistration::clashKeepsThePanelAndInput() {
    QCOMPARE(ClashMessage.at(ClashMessage.indexOf(QStringLiteral(" کد")) + 1), QChar(0x06A9));
    m_fixture->addTestTaker(QStringLiteral("7"), {{QStringLiteral("FName"), QStringLiteral("x")}});
    openMain();
    clickOpen();
    Particulars p;
    p.code = QStringLiteral("7");
    fill(p);

    clickSave();

    QCOMPARE(m_dialogs->texts(), QStringList{ClashMessage});
    QCOMPARE(m_fixture->count(QStringLiteral("IDE")), 1);
    QCOMPARE(m_fixture->count(QStringLiteral("Answer")), 0);
    QVERIFY(panel()->isVisible());
    QVERIFY(!child<QPushButton>("Command1")->isEnabled());
    QCOMPARE(m_main->leaveFlag(), QStringLiteral("2"));
    QCOMPARE(box("Text11")->text(), p.code);
    QCOMPARE(box("Text4")->text(), p.family);
    QCOMPARE(box("Text5")->text(), p.age);
    QCOMPARE(child<QComboBox>("Combo2")->currentText(), p.sex);

    // Another code saves what is on screen.
    m_dialogs->clear();
    box("Text11")->setText(QStringLiteral("8"));
    clickSave();
    QVERIFY(m_dialogs->entries().isEmpty());
    QCOMPARE(stored(QStringLiteral("LName"), QStringLiteral("8")), p.family);
    QCOMPARE(m_fixture->count(QStringLiteral("IDE")), 2);
}

void TestRegistration::saveStoresExactlyWhatWasTyped() {
    openMain();
    clickOpen();
    Particulars p;
    p.code = QStringLiteral("31");
    fill(p);
    box("Text8")->setText(QStringLiteral("1395/05/12"));
    const QString time = box("Text9")->text();

    clickSave();

    QVERIFY(m_dialogs->entries().isEmpty()); // success says nothing
    const QStringList row = m_fixture->column(QStringLiteral(
        "SELECT \"Code\" || '|' || \"FName\" || '|' || \"LName\" || '|' || \"Sen\" || '|' || "
        "\"Tahsil\" || '|' || \"Date\" || '|' || \"Time\" || '|' || \"Taahol\" || '|' || "
        "\"Jens\" || '|' || \"Group\" FROM \"IDE\""));
    const QStringList expected{
        p.code, p.name,    p.family, p.age,  p.education, QStringLiteral("1395/05/12"),
        time,   p.marital, p.sex,    p.group};
    QCOMPARE(row, QStringList{expected.join(QLatin1Char('|'))});
    QCOMPARE(m_fixture->value(QStringLiteral("SELECT \"zabani\" || \"manteghi\" || \"fazaee\" || "
                                             "\"badani\" || \"meynfardi\" || \"daronfardi\" || "
                                             "\"mouzical\" || \"tabeatgara\" FROM \"IDE\"")),
             QString());
    QCOMPARE(m_fixture->column(QStringLiteral("SELECT \"Code\" FROM \"Answer\"")),
             QStringList{p.code});
    QCOMPARE(m_fixture->answers(p.code), QStringList(80, QString()));

    QVERIFY(panel()->isHidden());
    QVERIFY(child<QPushButton>("Command1")->isEnabled());
    QCOMPARE(m_main->leaveFlag(), QStringLiteral("1"));
}

void TestRegistration::listsKeepTheirChoiceForTheNextRegistration() {
    openMain();
    clickOpen();
    QCOMPARE(box("Text11")->text(), QString()); // nothing registered yet
    Particulars first;
    first.marital = QStringLiteral("بيوه");
    first.sex = QStringLiteral("مرد");
    first.group = QStringLiteral("G");
    fill(first);
    clickSave();
    QCOMPARE(m_fixture->count(QStringLiteral("IDE")), 1);

    clickOpen();
    QCOMPARE(box("Text11")->text(), QStringLiteral("2"));
    QCOMPARE(child<QComboBox>("Combo1")->currentText(), first.marital);
    QCOMPARE(child<QComboBox>("Combo2")->currentText(), first.sex);
    QCOMPARE(child<QComboBox>("Combo3")->currentText(), first.group);
    QCOMPARE(box("Text15")->text(), QString()); // the new row itself starts empty
    box("Text6")->setText(QStringLiteral("مريم"));
    box("Text4")->setText(QStringLiteral("احمدي"));
    box("Text5")->setText(QStringLiteral("30"));
    box("Text7")->setText(QStringLiteral("ديپلم"));
    clickSave();

    QVERIFY(m_dialogs->entries().isEmpty());
    QCOMPARE(stored(QStringLiteral("Taahol"), QStringLiteral("2")), first.marital);
    QCOMPARE(stored(QStringLiteral("Jens"), QStringLiteral("2")), first.sex);
    QCOMPARE(stored(QStringLiteral("Group"), QStringLiteral("2")), first.group);

    // The code just saved is taken.
    clickOpen();
    QCOMPARE(box("Text11")->text(), QStringLiteral("3"));
    fill(first);
    box("Text11")->setText(QStringLiteral("2"));
    clickSave();
    QCOMPARE(m_dialogs->texts(), QStringList{ClashMessage});
    QCOMPARE(m_fixture->count(QStringLiteral("IDE")), 2);
}

void TestRegistration::codeIsTrimmedInBothRows_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("later"); // typed at a later registration: clashes

    QTest::newRow("blanks around") << " 12 "
                                   << "12"
                                   << " 12";
    QTest::newRow("blank after") << "12 "
                                 << "12"
                                 << "12";
    QTest::newRow("inner blanks stay") << "  4  b "
                                       << "4  b"
                                       << "4  b  ";
    QTest::newRow("tab") << "\t9"
                         << "9"
                         << "9 ";
}

void TestRegistration::codeIsTrimmedInBothRows() {
    QFETCH(QString, typed);
    QFETCH(QString, code);
    QFETCH(QString, later);
    openMain();
    clickOpen();
    Particulars p;
    p.code = typed;
    fill(p);

    clickSave();

    QVERIFY(m_dialogs->entries().isEmpty());
    QCOMPARE(m_fixture->column(QStringLiteral("SELECT \"Code\" FROM \"IDE\"")), QStringList{code});
    QCOMPARE(m_fixture->column(QStringLiteral("SELECT \"Code\" FROM \"Answer\"")),
             QStringList{code});

    clickOpen();
    fill(p);
    box("Text11")->setText(later);
    clickSave();
    QCOMPARE(m_dialogs->texts(), QStringList{ClashMessage});
    QCOMPARE(m_fixture->count(QStringLiteral("IDE")), 1);
    QCOMPARE(m_fixture->count(QStringLiteral("Answer")), 1);
}

void TestRegistration::failedStoreKeepsBothRowsOutAndTheInput_data() {
    QTest::addColumn<QString>("table");
    QTest::newRow("answer row refused") << "Answer";
    QTest::newRow("test-taker row refused") << "IDE";
}

void TestRegistration::failedStoreKeepsBothRowsOutAndTheInput() {
    QFETCH(QString, table);
    m_fixture->addTestTaker(QStringLiteral("4"));
    m_fixture->addAnswers(QStringLiteral("4"));
    openMain();
    clickOpen();
    Particulars p;
    p.code = QStringLiteral(" 5 ");
    p.marital = QStringLiteral("مطلقه");
    fill(p);
    m_fixture->failWrites(table, QStringLiteral("INSERT"), QStringLiteral("disk is full"));

    clickSave();

    QCOMPARE(m_dialogs->entries().size(), 1);
    const ScriptedDialogs::Entry error = m_dialogs->entries().first();
    QCOMPARE(error.kind, ScriptedDialogs::Kind::Message);
    QCOMPARE(error.title, QStringLiteral("خطا"));
    QVERIFY2(error.text.contains(QStringLiteral("ثبت نام ذخيره نشد")), qPrintable(error.text));
    QVERIFY2(error.text.contains(QStringLiteral("disk is full")), qPrintable(error.text));
    QCOMPARE(m_fixture->count(QStringLiteral("IDE")), 1);
    QCOMPARE(m_fixture->count(QStringLiteral("Answer")), 1);
    QVERIFY(panel()->isVisible());
    QVERIFY(!child<QPushButton>("Command1")->isEnabled());
    QCOMPARE(m_main->leaveFlag(), QStringLiteral("2"));
    QCOMPARE(box("Text11")->text(), p.code);
    QCOMPARE(box("Text6")->text(), p.name);
    QCOMPARE(box("Text7")->text(), p.education);
    QCOMPARE(child<QComboBox>("Combo1")->currentText(), p.marital);

    // Once the cause is gone the same input saves, once.
    m_fixture->allowWrites(table, QStringLiteral("INSERT"));
    m_dialogs->clear();
    clickSave();
    QVERIFY(m_dialogs->entries().isEmpty());
    QCOMPARE(m_fixture->column(QStringLiteral("SELECT \"Code\" FROM \"IDE\" WHERE \"Code\" = '5'")),
             QStringList{"5"});
    QCOMPARE(
        m_fixture->column(QStringLiteral("SELECT \"Code\" FROM \"Answer\" WHERE \"Code\" = '5'")),
        QStringList{"5"});
    QCOMPARE(stored(QStringLiteral("Taahol"), QStringLiteral("5")), p.marital);
    QCOMPARE(stored(QStringLiteral("FName"), QStringLiteral("5")), p.name);
    QVERIFY(panel()->isHidden());
    QCOMPARE(m_main->leaveFlag(), QStringLiteral("1"));
}

void TestRegistration::oddTextIsStoredAndFoundExactly_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophe") << "O'Brien";
    QTest::newRow("double quote") << "a\"b";
    QTest::newRow("backslash") << "c:\\x\\";
    QTest::newRow("percent and underscore") << "50%_";
    QTest::newRow("1,000 characters") << QString(1000, QChar(0x0645));
    QTest::newRow("Persian and Latin") << QStringLiteral("علي Ali ۱۲ 'x'");
}

void TestRegistration::oddTextIsStoredAndFoundExactly() {
    QFETCH(QString, text);
    openMain();
    clickOpen();
    Particulars p;
    p.code = p.name = p.family = p.education = text;
    fill(p);

    clickSave();

    QVERIFY(m_dialogs->entries().isEmpty());
    QCOMPARE(stored(QStringLiteral("Code"), text), text);
    QCOMPARE(stored(QStringLiteral("FName"), text), text);
    QCOMPARE(stored(QStringLiteral("LName"), text), text);
    QCOMPARE(stored(QStringLiteral("Tahsil"), text), text);
    QCOMPARE(m_fixture->answers(text).size(), 80);

    // A code like it but not the same is not in the way; the same one is.
    clickOpen();
    fill(p);
    box("Text11")->setText(text + QStringLiteral("1"));
    clickSave();
    QVERIFY(m_dialogs->entries().isEmpty());
    clickOpen();
    fill(p);
    clickSave();
    QCOMPARE(m_dialogs->texts(), QStringList{ClashMessage});
    QCOMPARE(m_fixture->count(QStringLiteral("IDE")), 2);
    QCOMPARE(m_fixture->count(QStringLiteral("Answer")), 2);
}

void TestRegistration::ageTakesPersianDigitsAsAscii_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("refusals");

    QTest::newRow("Persian") << QStringLiteral("۴۵") << "45" << 0;
    QTest::newRow("Arabic-Indic and ASCII") << QStringLiteral("٣7") << "37" << 0;
    QTest::newRow("two at most") << QStringLiteral("۱۲۳") << "12" << 0;
    QTest::newRow("letters refused") << QStringLiteral("a1b") << "1" << 2;
}

void TestRegistration::ageTakesPersianDigitsAsAscii() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, refusals);
    openMain();
    clickOpen();
    Particulars p;
    p.age.clear();
    fill(p);
    QLineEdit *age = box("Text5");
    age->setFocus();
    for (const QChar c : typed) {
        QKeyEvent press(QEvent::KeyPress, c.unicode() < 128 ? int(c.toUpper().unicode()) : 0,
                        Qt::NoModifier, QString(c));
        QApplication::sendEvent(age, &press);
    }

    QCOMPARE(age->text(), shown);
    QCOMPARE(m_dialogs->timedTexts().size(), refusals);

    clickSave();
    QCOMPARE(stored(QStringLiteral("Sen"), p.code), shown);
}

void TestRegistration::cancelDropsTheRow() {
    m_fixture->addTestTaker(QStringLiteral("1"));
    openMain();
    clickOpen();
    fill(Particulars{QStringLiteral("2")});

    child<QPushButton>("Command10")->click();

    QVERIFY(panel()->isHidden());
    QVERIFY(child<QPushButton>("Command1")->isEnabled());
    QCOMPARE(m_main->leaveFlag(), QStringLiteral("2"));
    QCOMPARE(m_fixture->column(QStringLiteral("SELECT \"Code\" FROM \"IDE\"")), QStringList{"1"});
    QCOMPARE(m_fixture->count(QStringLiteral("Answer")), 0);
    QVERIFY(m_dialogs->entries().isEmpty());
    // The main window now shows the stored row again, not the dropped one.
    QCOMPARE(box("Text11")->text(), QStringLiteral("1"));
}

QTEST_MAIN(TestRegistration)
#include "tst_registration.moc"
