#include "common/layout.h"
#include "testing/frmpas2.h"

#include "programfixture.h"
#include "scripteddialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <memory>

using namespace kelvane;

namespace {

const QString Instructions = QStringLiteral(
    "جهت گزينه به هيچ وجه عدد1 ، گزينه تاحداندکي عدد 2 ، گزينه به مقدار متوسط عدد 3 ، گزينه تا حد "
    "زيادي عدد 4 ، گزينه کاملا عدد 5، و گزينه هاي بدون پاسخ عدد 0 را وارد نماييد");
const QString NeedCode = QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد");
const QString NoPerson = QStringLiteral("فردي با اين مشخصات وجود ندارد");
const QString FirstSelect =
    QStringLiteral("ابتدا کدآزمودني مورد نظر را وارد نموده سپس روي انتخاب آزمودني کليک كنيد");
const QString Saved = QStringLiteral("تغييرات با موفقيت ذخيره گرديد");

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

QStringList emptyAnswers() {
    return QStringList(80, QStringLiteral("")); // stored empty, not NULL
}

// Answers as the test run leaves them: a digit 1 to 5 for each statement.
QStringList testRunAnswers(int seed) {
    QStringList answers;
    for (int n = 1; n <= 80; ++n)
        answers << QString::number((n * seed) % 5 + 1);
    return answers;
}

} // namespace

class TestFrmpas2 : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensModallyWithItsLayout();
    void gridGeometry_data();
    void gridGeometry();
    void sheetIsLightBlue();
    void textsUseTheirLetterForms();

    void selectionMessages_data();
    void selectionMessages();
    void unknownCodeKeepsPreviousSelection();
    void displayCodingShowsStoredAnswersWithoutCounting();

    void typingCoding_data();
    void typingCoding();
    void refusedKeysChangeNothing_data();
    void refusedKeysChangeNothing();
    void saveCounterComesBackToZeroAtTwenty();
    void lastBoxWaitsForTheNextStore_data();
    void lastBoxWaitsForTheNextStore();
    void saveNeedsACode();
    void saveStoresTheRowOnScreen();

    void leavingStoresTypedAnswers_data();
    void leavingStoresTypedAnswers();
    void leavingWithNothingTypedWritesNothing();
    void failedStoreOnLeavingKeepsWindowOpen();
    void failedStoreOnLeavingLetsTheUserGo();
    void failedStoreKeepsTypedAnswers();
    void missingAnswerRowIsCreated();
    void failedRowCreationKeepsPreviousSelection();
    void unusualCodesAreStoredExactly_data();
    void unusualCodesAreStoredExactly();

    void road();

private:
    void open();
    QLineEdit *edit(const QString &name) const;
    QLineEdit *box(int n) const { return edit(QStringLiteral("Txt1(%1)").arg(n)); }
    QLineEdit *twin(int n) const { return edit(QStringLiteral("Txt2(%1)").arg(n)); }
    QFrame *grid() const { return m_window->findChild<QFrame *>(QStringLiteral("Frame1")); }
    QString counter() const { return edit(QStringLiteral("Text13"))->text(); }
    QString mode() const {
        return m_window->findChild<QLabel *>(QStringLiteral("SkinLbl1(0)"))->text();
    }
    void click(const QString &button);
    void select(const QString &code);
    // Types one key into box n the way a user overwrites it: focus in, content selected.
    void type(int n, int key, const QString &text,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void type(int n, char digit) { type(n, Qt::Key_0 + (digit - '0'), QString(QChar(digit))); }
    QStringList boxTexts() const;
    QStringList errorTexts() const;

    std::unique_ptr<ProgramFixture> m_fixture;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    QPointer<Frmpas2> m_window;
};

void TestFrmpas2::init() {
    m_fixture = std::make_unique<ProgramFixture>();
    m_fixture->installSkins();
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_fixture->addTestTaker(QStringLiteral("1"),
                            {{QStringLiteral("FName"), QStringLiteral("علي")},
                             {QStringLiteral("LName"), QStringLiteral("رضايي")}});
    m_fixture->addTestTaker(QStringLiteral("2"),
                            {{QStringLiteral("FName"), QStringLiteral("Sara")},
                             {QStringLiteral("LName"), QStringLiteral("Amini")}});
}

void TestFrmpas2::cleanup() {
    delete m_window.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_dialogs.reset();
    m_fixture.reset();
}

void TestFrmpas2::open() {
    m_window = OpenAnswerSheet(nullptr);
    QVERIFY(m_window);
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

QLineEdit *TestFrmpas2::edit(const QString &name) const {
    auto *found = m_window->findChild<QLineEdit *>(name);
    if (!found)
        qFatal("no text box %s", qPrintable(name));
    return found;
}

void TestFrmpas2::click(const QString &button) {
    auto *found = m_window->findChild<QPushButton *>(button);
    QVERIFY(found);
    found->click();
}

void TestFrmpas2::select(const QString &code) {
    edit(QStringLiteral("Text4"))->setText(code);
    click(QStringLiteral("Command3"));
}

void TestFrmpas2::type(int n, int key, const QString &text, Qt::KeyboardModifiers modifiers) {
    QLineEdit *target = box(n);
    target->setFocus();
    target->selectAll();
    QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), text, modifiers);
}

QStringList TestFrmpas2::boxTexts() const {
    QStringList texts;
    for (int n = 1; n <= 80; ++n)
        texts << box(n)->text();
    return texts;
}

QStringList TestFrmpas2::errorTexts() const {
    QStringList texts;
    for (const auto &entry : m_dialogs->entries()) {
        if (entry.kind == ScriptedDialogs::Kind::Message && entry.title == QStringLiteral("خطا"))
            texts << entry.text;
    }
    return texts;
}

void TestFrmpas2::opensModallyWithItsLayout() {
    open();
    QCOMPARE(m_window->windowModality(), Qt::ApplicationModal);
    QVERIFY(m_window->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->size(), QSize(twips(9840), twips(9555)));
    QVERIFY(m_window->windowTitle().isEmpty());

    QCOMPARE(grid()->geometry(), twipsRect(1530, 660, 6660, 8205));
    QVERIFY(!grid()->isVisible());
    QCOMPARE(m_window->findChild<QFrame *>(QStringLiteral("Frame3"))->geometry(),
             twipsRect(105, -135, 9600, 930));
    auto *instructions = m_window->findChild<QLabel *>(QStringLiteral("SkinLabel1"));
    QCOMPARE(instructions->parentWidget()->objectName(), QStringLiteral("Frame3"));
    QCOMPARE(instructions->geometry(), twipsRect(90, 120, 9510, 810));
    QCOMPARE(instructions->text(), Instructions);
    QVERIFY(instructions->isVisible());

    QLineEdit *name = edit(QStringLiteral("Text10"));
    QCOMPARE(name->geometry(), twipsRect(1005, 8910, 2235, 465));
    QVERIFY(!name->isEnabled());
    QVERIFY(name->isReadOnly());
    QVERIFY(!name->hasFrame());
    QCOMPARE(name->font().family(), QStringLiteral("B Nazanin"));
    QLineEdit *code = edit(QStringLiteral("Text4"));
    QCOMPARE(code->geometry(), twipsRect(3330, 8910, 855, 465));
    QCOMPARE(code->alignment() & Qt::AlignHorizontal_Mask, Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(code->font().family(), QStringLiteral("MS Sans Serif"));
    QVERIFY(code->font().bold());
    QVERIFY(code->text().isEmpty());

    const struct {
        const char *name;
        QString caption;
        QRect place;
    } buttons[] = {
        {"Command3", QStringLiteral("انتخاب آزمودني"), twipsRect(4275, 8910, 1560, 555)},
        {"Command1", QStringLiteral("ذخيره"), twipsRect(6375, 8910, 1215, 555)},
        {"Command2", QStringLiteral("خروج"), twipsRect(7695, 8910, 1215, 555)},
    };
    for (const auto &expected : buttons) {
        auto *button = m_window->findChild<QPushButton *>(QString::fromLatin1(expected.name));
        QVERIFY2(button, expected.name);
        QCOMPARE(button->text(), expected.caption);
        QCOMPARE(button->geometry(), expected.place);
    }

    // The hidden state: displaying mode, counter 0, twins and name fields out of sight.
    QCOMPARE(mode(), QStringLiteral("3"));
    QCOMPARE(counter(), QStringLiteral("0"));
    for (const char *hidden : {"SkinLbl1(0)", "Text13", "Text7", "Text8", "Txt2(1)", "Txt2(80)"})
        QVERIFY2(m_window->findChild<QWidget *>(QString::fromLatin1(hidden))->isHidden(), hidden);
}

void TestFrmpas2::gridGeometry_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::newRow("1") << 1 << 720 << 495;
    QTest::newRow("10") << 10 << 720 << 3735;
    QTest::newRow("11 after the gap") << 11 << 720 << 4365;
    QTest::newRow("20") << 20 << 720 << 7605;
    QTest::newRow("21") << 21 << 2160 << 495;
    QTest::newRow("41") << 41 << 3600 << 495;
    QTest::newRow("61") << 61 << 5040 << 495;
    QTest::newRow("80") << 80 << 5040 << 7605;
}

void TestFrmpas2::gridGeometry() {
    QFETCH(int, n);
    QFETCH(int, left);
    QFETCH(int, top);
    open();
    QLineEdit *answer = box(n);
    QCOMPARE(answer->parentWidget(), grid());
    QCOMPARE(answer->geometry(), twipsRect(left, top, 465, 375));
    QCOMPARE(answer->maxLength(), 1);
    QCOMPARE(answer->alignment() & Qt::AlignHorizontal_Mask, Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(answer->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(answer->font().pointSizeF(), 12.0);
    QVERIFY(answer->font().bold());

    auto *label = m_window->findChild<QLabel *>(QStringLiteral("SkinLbl1(%1)").arg(n));
    QVERIFY(label);
    QCOMPARE(label->parentWidget(), grid());
    QCOMPARE(label->geometry(), twipsRect(left - 405, top, 420, 330));
    QCOMPARE(label->text(), QString::number(n));
}

void TestFrmpas2::sheetIsLightBlue() {
    open();
    select(QStringLiteral("1"));
    QVERIFY(grid()->isVisible());
    // A point in the gap between the tenth and eleventh rows, between two columns.
    const QImage image = grid()->grab().toImage();
    const QPoint gap(twips(1470), twips(4230));
    QCOMPARE(image.pixelColor(gap * image.devicePixelRatio()), QColor(0xC0, 0xC0, 0xFF));
}

void TestFrmpas2::textsUseTheirLetterForms() {
    // Arabic yeh and kaf where the window writes them, Persian keheh where it does.
    QVERIFY(NeedCode.contains(QChar(0x064A)) && NeedCode.contains(QChar(0x0643)));
    QVERIFY(!NeedCode.contains(QChar(0x06CC)) && !NeedCode.contains(QChar(0x06A9)));
    QVERIFY(FirstSelect.contains(QChar(0x06A9)) &&
            FirstSelect.endsWith(QStringLiteral("\u0643\u0646\u064A\u062F")));
    QVERIFY(Instructions.contains(
        QStringLiteral("\u06A9\u0627\u0645\u0644\u0627 \u0639\u062F\u062F 5\u060C")));
    QVERIFY(Instructions.contains(QStringLiteral("\u0639\u062F\u062F1 \u060C")));
    QVERIFY(!Instructions.contains(QChar(0x06CC)));
}

void TestFrmpas2::selectionMessages_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QString() << NeedCode;
    QTest::newRow("not registered") << QStringLiteral("3") << NoPerson;
    QTest::newRow("blank before a registered code") << QStringLiteral(" 1") << NoPerson;
    QTest::newRow("apostrophe") << QStringLiteral("1' OR '1'='1") << NoPerson;
}

void TestFrmpas2::selectionMessages() {
    QFETCH(QString, code);
    QFETCH(QString, message);
    open();
    select(code);
    QCOMPARE(m_dialogs->timedTexts(), QStringList{message});
    QCOMPARE(m_dialogs->entries().size(), 1);
    QVERIFY(!grid()->isVisible());
    QVERIFY(edit(QStringLiteral("Text10"))->text().isEmpty());
    QCOMPARE(mode(), QStringLiteral("3"));
    QCOMPARE(m_fixture->count(QStringLiteral("Answer")), 0);
}

void TestFrmpas2::unknownCodeKeepsPreviousSelection() {
    m_fixture->addAnswers(QStringLiteral("1"), testRunAnswers(3));
    open();
    select(QStringLiteral("1"));
    QCOMPARE(edit(QStringLiteral("Text10"))->text(), QStringLiteral("علي رضايي"));

    // Enter in the code box selects as the button does.
    QLineEdit *code = edit(QStringLiteral("Text4"));
    code->setText(QStringLiteral("99"));
    QTest::keyClick(code, Qt::Key_Return);
    QCOMPARE(m_dialogs->timedTexts(), QStringList{NoPerson});
    QVERIFY(grid()->isVisible());
    QCOMPARE(edit(QStringLiteral("Text10"))->text(), QStringLiteral("علي رضايي"));
    QCOMPARE(boxTexts(), testRunAnswers(3));

    // Typing still goes into the first test-taker's row.
    type(5, '2');
    QStringList expected = testRunAnswers(3);
    expected[4] = QStringLiteral("2");
    QCOMPARE(m_fixture->answers(QStringLiteral("1")), expected);
}

void TestFrmpas2::displayCodingShowsStoredAnswersWithoutCounting() {
    // Rows as the test run stores them, the second partly answered.
    QStringList partial = testRunAnswers(2);
    for (int i = 0; i < 80; i += 3)
        partial[i] = QStringLiteral("");
    m_fixture->addAnswers(QStringLiteral("1"), testRunAnswers(3));
    m_fixture->addAnswers(QStringLiteral("2"), partial);
    // Showing is not typing: a write now would fail loudly.
    m_fixture->failWrites(QStringLiteral("Answer"), QStringLiteral("UPDATE"));
    open();

    select(QStringLiteral("1"));
    QVERIFY(grid()->isVisible());
    QCOMPARE(boxTexts(), testRunAnswers(3));
    QCOMPARE(edit(QStringLiteral("Text10"))->text(), QStringLiteral("علي رضايي"));
    QCOMPARE(counter(), QStringLiteral("0"));

    select(QStringLiteral("2"));
    QCOMPARE(boxTexts(), partial);
    QCOMPARE(edit(QStringLiteral("Text10"))->text(), QStringLiteral("Sara Amini"));
    QCOMPARE(counter(), QStringLiteral("0"));
    QCOMPARE(mode(), QStringLiteral("3"));
    QVERIFY(m_dialogs->entries().isEmpty());
    QCOMPARE(m_fixture->answers(QStringLiteral("1")), testRunAnswers(3));
    QCOMPARE(m_fixture->answers(QStringLiteral("2")), partial);
}

void TestFrmpas2::typingCoding_data() {
    QTest::addColumn<QString>("before"); // answer 7 as stored
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("box");    // box 7 afterwards
    QTest::addColumn<QString>("answer"); // answer 7 in the database at once
    QTest::addColumn<QString>("counter");

    const int backspace = Qt::Key_Backspace;
    QTest::newRow("3 into empty") << "" << int(Qt::Key_3) << "3"
                                  << "3"
                                  << "3"
                                  << "0";
    QTest::newRow("1 over 5") << "5" << int(Qt::Key_1) << "1"
                              << "1"
                              << "1"
                              << "0";
    QTest::newRow("same digit again") << "4" << int(Qt::Key_4) << "4"
                                      << "4"
                                      << "4"
                                      << "0";
    QTest::newRow("0 over 4") << "4" << int(Qt::Key_0) << "0"
                              << ""
                              << ""
                              << "2";
    QTest::newRow("0 into empty") << "" << int(Qt::Key_0) << "0"
                                  << "0"
                                  << ""
                                  << "1";
    QTest::newRow("backspace") << "4" << backspace << "\b"
                               << ""
                               << ""
                               << "1";
    QTest::newRow("delete key") << "2" << int(Qt::Key_Delete) << ""
                                << ""
                                << ""
                                << "1";
    QTest::newRow("Persian 3") << "" << 0x06F3 << "\u06F3"
                               << "3"
                               << "3"
                               << "0";
    QTest::newRow("Arabic-Indic 5") << "1" << 0x0665 << "\u0665"
                                    << "5"
                                    << "5"
                                    << "0";
    QTest::newRow("Persian 0 over 2") << "2" << 0x06F0 << "\u06F0"
                                      << ""
                                      << ""
                                      << "2";
}

void TestFrmpas2::typingCoding() {
    QFETCH(QString, before);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, box);
    QFETCH(QString, answer);
    QFETCH(QString, counter);

    QStringList stored = testRunAnswers(4);
    stored[6] = before;
    stored[7] = QStringLiteral("5");
    m_fixture->addAnswers(QStringLiteral("1"), stored);
    open();
    select(QStringLiteral("1"));
    QCOMPARE(this->box(7)->text(), before);

    type(7, key, text);

    QCOMPARE(this->box(7)->text(), box);
    QCOMPARE(twin(7)->text(), answer);
    stored[6] = answer;
    QCOMPARE(m_fixture->answers(QStringLiteral("1")), stored);
    QCOMPARE(this->counter(), counter);
    QCOMPARE(mode(), QStringLiteral("4"));
    // The next box takes the focus with its content selected, so the next digit replaces it.
    QCOMPARE(m_window->focusWidget(), this->box(8));
    QCOMPARE(this->box(8)->selectedText(), QStringLiteral("5"));
    QVERIFY(m_dialogs->entries().isEmpty());
}

void TestFrmpas2::refusedKeysChangeNothing_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("6") << int(Qt::Key_6) << "6" << 0;
    QTest::newRow("9") << int(Qt::Key_9) << "9" << 0;
    QTest::newRow("letter") << int(Qt::Key_A) << "a" << 0;
    QTest::newRow("Persian letter") << 0x0628 << "\u0628" << 0;
    QTest::newRow("Persian 6") << 0x06F6 << "\u06F6" << 0;
    QTest::newRow("Arabic-Indic 9") << 0x0669 << "\u0669" << 0;
    QTest::newRow("blank") << int(Qt::Key_Space) << " " << 0;
    QTest::newRow("minus") << int(Qt::Key_Minus) << "-" << 0;
    QTest::newRow("Enter") << int(Qt::Key_Return) << "\r" << 0;
    QTest::newRow("paste") << int(Qt::Key_V) << "\x16" << int(Qt::ControlModifier);
}

void TestFrmpas2::refusedKeysChangeNothing() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, modifiers);
    QApplication::clipboard()->setText(QStringLiteral("1"));
    QStringList stored = testRunAnswers(4);
    m_fixture->addAnswers(QStringLiteral("1"), stored);
    open();
    select(QStringLiteral("1"));
    const QStringList shown = boxTexts();

    type(7, key, text, Qt::KeyboardModifiers(modifiers));

    QCOMPARE(boxTexts(), shown);
    QCOMPARE(twin(7)->text(), stored.at(6));
    QCOMPARE(m_fixture->answers(QStringLiteral("1")), stored);
    QCOMPARE(counter(), QStringLiteral("0"));
    QCOMPARE(m_window->focusWidget(), box(7));
    QVERIFY(m_window->isVisible());
    QVERIFY(m_dialogs->entries().isEmpty());
    // Even a refused key counts as typing.
    QCOMPARE(mode(), QStringLiteral("4"));
}

void TestFrmpas2::saveCounterComesBackToZeroAtTwenty() {
    QStringList stored = emptyAnswers();
    stored[19] = QStringLiteral("4");
    m_fixture->addAnswers(QStringLiteral("1"), stored);
    m_fixture->addAnswers(QStringLiteral("2"), testRunAnswers(2));
    open();
    select(QStringLiteral("1"));
    for (int n = 1; n <= 19; ++n)
        type(n, '0');
    QCOMPARE(counter(), QStringLiteral("19"));
    type(20, '0'); // two steps: 19, 20 (stored, back to 0), 1
    QCOMPARE(counter(), QStringLiteral("1"));
    type(21, '3');
    QCOMPARE(counter(), QStringLiteral("1"));
    stored[19].clear();
    stored[20] = QStringLiteral("3");
    QCOMPARE(m_fixture->answers(QStringLiteral("1")), stored);

    // Showing another test-taker's answers does not count.
    select(QStringLiteral("2"));
    QCOMPARE(counter(), QStringLiteral("1"));
    click(QStringLiteral("Command1"));
    QCOMPARE(counter(), QStringLiteral("0"));
}

void TestFrmpas2::lastBoxWaitsForTheNextStore_data() {
    QTest::addColumn<bool>("byButton");
    QTest::newRow("stored by the save button") << true;
    QTest::newRow("stored with the next keystroke") << false;
}

void TestFrmpas2::lastBoxWaitsForTheNextStore() {
    QFETCH(bool, byButton);
    m_fixture->addAnswers(QStringLiteral("1"), emptyAnswers());
    open();
    select(QStringLiteral("1"));
    type(80, '5');
    QCOMPARE(box(80)->text(), QStringLiteral("5"));
    QCOMPARE(twin(80)->text(), QStringLiteral("5"));
    QCOMPARE(m_window->focusWidget(), box(80));
    QCOMPARE(counter(), QStringLiteral("0"));
    QCOMPARE(m_fixture->answers(QStringLiteral("1")).at(79), QString());

    QStringList expected = emptyAnswers();
    expected[79] = QStringLiteral("5");
    if (byButton) {
        type(79, Qt::Key_Backspace, QStringLiteral("\b")); // nothing to delete: no change
        QCOMPARE(m_fixture->answers(QStringLiteral("1")).at(79), QString());
        click(QStringLiteral("Command1"));
        QCOMPARE(m_dialogs->timedTexts(), QStringList{Saved});
    } else {
        type(1, '2');
        expected[0] = QStringLiteral("2");
        QVERIFY(m_dialogs->entries().isEmpty());
    }
    QCOMPARE(m_fixture->answers(QStringLiteral("1")), expected);
    QCOMPARE(counter(), QStringLiteral("0"));
}

void TestFrmpas2::saveNeedsACode() {
    m_fixture->addAnswers(QStringLiteral("1"), emptyAnswers());
    open();
    select(QStringLiteral("1"));
    type(1, '0');
    type(80, '4');
    edit(QStringLiteral("Text4"))->clear();
    click(QStringLiteral("Command1"));
    QCOMPARE(m_dialogs->timedTexts(), QStringList{FirstSelect});
    QCOMPARE(m_fixture->answers(QStringLiteral("1")), emptyAnswers());
    QCOMPARE(counter(), QStringLiteral("1"));
}

void TestFrmpas2::saveStoresTheRowOnScreen() {
    m_fixture->addAnswers(QStringLiteral("1"), emptyAnswers());
    m_fixture->addAnswers(QStringLiteral("2"), emptyAnswers());
    open();
    select(QStringLiteral("1"));
    type(80, '5');
    edit(QStringLiteral("Text4"))->setText(QStringLiteral("2"));
    click(QStringLiteral("Command1"));
    QCOMPARE(m_dialogs->timedTexts(), QStringList{Saved});
    QCOMPARE(m_fixture->answers(QStringLiteral("1")).at(79), QStringLiteral("5"));
    QCOMPARE(m_fixture->answers(QStringLiteral("2")), emptyAnswers());
    QCOMPARE(edit(QStringLiteral("Text10"))->text(), QStringLiteral("علي رضايي"));
}

void TestFrmpas2::leavingStoresTypedAnswers_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("exit button") << QStringLiteral("Command2");
    QTest::newRow("Esc") << QStringLiteral("Esc");
    QTest::newRow("close box") << QStringLiteral("close box");
}

void TestFrmpas2::leavingStoresTypedAnswers() {
    QFETCH(QString, how);
    m_fixture->addAnswers(QStringLiteral("1"), emptyAnswers());
    open();
    select(QStringLiteral("1"));
    type(80, '3');
    if (how == QLatin1String("Command2"))
        click(how);
    else if (how == QLatin1String("Esc"))
        QTest::keyClick(box(80), Qt::Key_Escape);
    else
        m_window->windowHandle()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window);
    QVERIFY(m_dialogs->entries().isEmpty());
    QCOMPARE(m_fixture->answers(QStringLiteral("1")).at(79), QStringLiteral("3"));
}

void TestFrmpas2::leavingWithNothingTypedWritesNothing() {
    m_fixture->addAnswers(QStringLiteral("1"), testRunAnswers(2));
    m_fixture->failWrites(QStringLiteral("Answer"), QStringLiteral("UPDATE"));
    open();
    select(QStringLiteral("1"));
    type(3, '9'); // refused
    click(QStringLiteral("Command2"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window);
    QVERIFY(m_dialogs->entries().isEmpty());
}

void TestFrmpas2::failedStoreOnLeavingKeepsWindowOpen() {
    m_fixture->addAnswers(QStringLiteral("1"), emptyAnswers());
    open();
    select(QStringLiteral("1"));
    type(80, '3');
    m_fixture->failWrites(QStringLiteral("Answer"), QStringLiteral("UPDATE"));
    click(QStringLiteral("Command2"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_window);
    QVERIFY(m_window->isVisible());
    QCOMPARE(errorTexts().size(), 1);
    QVERIFY(errorTexts().first().contains(QStringLiteral("disk I/O error")));
    QCOMPARE(box(80)->text(), QStringLiteral("3"));
    QCOMPARE(m_dialogs->entries().last().buttons, DialogService::Buttons::YesNo);

    m_fixture->allowWrites(QStringLiteral("Answer"), QStringLiteral("UPDATE"));
    m_window->windowHandle()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window);
    QCOMPARE(m_fixture->answers(QStringLiteral("1")).at(79), QStringLiteral("3"));
}

void TestFrmpas2::failedStoreOnLeavingLetsTheUserGo() {
    m_fixture->addAnswers(QStringLiteral("1"), emptyAnswers());
    open();
    select(QStringLiteral("1"));
    type(80, '3');
    m_fixture->failWrites(QStringLiteral("Answer"), QStringLiteral("UPDATE"));
    m_dialogs->pushReply(DialogService::Reply::Yes);
    click(QStringLiteral("Command2"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window);
    QCOMPARE(m_fixture->answers(QStringLiteral("1")).at(79), QString());
}

void TestFrmpas2::failedStoreKeepsTypedAnswers() {
    m_fixture->addAnswers(QStringLiteral("1"), emptyAnswers());
    open();
    select(QStringLiteral("1"));
    m_fixture->failWrites(QStringLiteral("Answer"), QStringLiteral("UPDATE"));

    type(7, '3');
    QCOMPARE(errorTexts().size(), 1);
    QVERIFY(errorTexts().first().contains(QStringLiteral("disk I/O error")));
    QCOMPARE(box(7)->text(), QStringLiteral("3"));
    QCOMPARE(twin(7)->text(), QStringLiteral("3"));
    QCOMPARE(m_window->focusWidget(), box(8));

    click(QStringLiteral("Command1"));
    QCOMPARE(errorTexts().size(), 2);
    QVERIFY(m_dialogs->timedTexts().isEmpty());
    QCOMPARE(m_fixture->answers(QStringLiteral("1")), emptyAnswers());
    QCOMPARE(box(7)->text(), QStringLiteral("3"));

    // Another test-taker cannot take the place of answers that are not stored yet.
    select(QStringLiteral("2"));
    QCOMPARE(errorTexts().size(), 3);
    QCOMPARE(edit(QStringLiteral("Text10"))->text(), QStringLiteral("علي رضايي"));
    QCOMPARE(box(7)->text(), QStringLiteral("3"));

    // The answers are still in the working row, so the next store writes them.
    m_fixture->allowWrites(QStringLiteral("Answer"), QStringLiteral("UPDATE"));
    click(QStringLiteral("Command1"));
    QCOMPARE(m_dialogs->timedTexts(), QStringList{Saved});
    QStringList expected = emptyAnswers();
    expected[6] = QStringLiteral("3");
    QCOMPARE(m_fixture->answers(QStringLiteral("1")), expected);
}

void TestFrmpas2::missingAnswerRowIsCreated() {
    m_fixture->addAnswers(QStringLiteral("1"), testRunAnswers(2));
    open();
    select(QStringLiteral("1"));
    select(QStringLiteral("2"));
    QVERIFY(m_dialogs->entries().isEmpty());
    QCOMPARE(m_fixture->count(QStringLiteral("Answer")), 2);
    QCOMPARE(m_fixture->answers(QStringLiteral("2")), emptyAnswers());
    QCOMPARE(boxTexts(), emptyAnswers());
    QCOMPARE(edit(QStringLiteral("Text10"))->text(), QStringLiteral("Sara Amini"));

    type(1, '4');
    QStringList expected = emptyAnswers();
    expected[0] = QStringLiteral("4");
    QCOMPARE(m_fixture->answers(QStringLiteral("2")), expected);
    QCOMPARE(m_fixture->answers(QStringLiteral("1")), testRunAnswers(2));

    // A second selection finds the row made by the first.
    select(QStringLiteral("2"));
    QCOMPARE(m_fixture->count(QStringLiteral("Answer")), 2);
    QCOMPARE(box(1)->text(), QStringLiteral("4"));
}

void TestFrmpas2::failedRowCreationKeepsPreviousSelection() {
    m_fixture->addAnswers(QStringLiteral("1"), emptyAnswers());
    m_fixture->failWrites(QStringLiteral("Answer"), QStringLiteral("INSERT"));
    open();
    select(QStringLiteral("2"));
    QCOMPARE(errorTexts().size(), 1);
    QVERIFY(errorTexts().first().contains(QStringLiteral("disk I/O error")));
    QVERIFY(!grid()->isVisible());

    select(QStringLiteral("1"));
    select(QStringLiteral("2"));
    QCOMPARE(errorTexts().size(), 2);
    QCOMPARE(m_fixture->count(QStringLiteral("Answer")), 1);
    QCOMPARE(edit(QStringLiteral("Text10"))->text(), QStringLiteral("علي رضايي"));
    type(80, '1');
    click(QStringLiteral("Command1"));
    QCOMPARE(m_fixture->answers(QStringLiteral("1")).at(79), QStringLiteral("1"));
}

void TestFrmpas2::unusualCodesAreStoredExactly_data() {
    QTest::addColumn<QString>("code");
    QTest::newRow("apostrophe") << QStringLiteral("O'Brien");
    QTest::newRow("double quote") << QStringLiteral("a\"b");
    QTest::newRow("backslash") << QStringLiteral("c:\\x");
    QTest::newRow("percent") << QStringLiteral("50%");
    QTest::newRow("underscore") << QStringLiteral("5_0");
    QTest::newRow("inner blanks") << QStringLiteral("12  34");
    QTest::newRow("1000 characters") << QString(1000, QLatin1Char('x'));
    QTest::newRow("Latin and Persian") << QStringLiteral("Ali علي ۱۲");
}

void TestFrmpas2::unusualCodesAreStoredExactly() {
    QFETCH(QString, code);
    // Near misses that a pattern match or a trimmed comparison would find.
    for (const QString &decoy : {QStringLiteral("500"), QStringLiteral("5x0"), QStringLiteral("O"),
                                 QStringLiteral("1234")}) {
        m_fixture->addTestTaker(decoy);
        m_fixture->addAnswers(decoy, testRunAnswers(1));
    }
    m_fixture->addTestTaker(code, {{QStringLiteral("FName"), code}});
    open();
    select(code);
    QVERIFY(m_dialogs->entries().isEmpty());
    QCOMPARE(edit(QStringLiteral("Text10"))->text(), code + QLatin1Char(' '));
    QCOMPARE(boxTexts(), emptyAnswers());
    type(1, '2');
    type(80, '5');
    click(QStringLiteral("Command2"));

    QStringList expected = emptyAnswers();
    expected[0] = QStringLiteral("2");
    expected[79] = QStringLiteral("5");
    QCOMPARE(m_fixture->answers(code), expected);
    QCOMPARE(m_fixture->value(QStringLiteral("SELECT count(*) FROM Answer WHERE Code = ?"), {code}),
             QStringLiteral("1"));
    for (const QString &decoy : {QStringLiteral("500"), QStringLiteral("5x0"), QStringLiteral("O"),
                                 QStringLiteral("1234")})
        QCOMPARE(m_fixture->answers(decoy), testRunAnswers(1));
}

void TestFrmpas2::road() {
    // The first test-taker answered on screen; the second was registered with an empty row.
    m_fixture->addAnswers(QStringLiteral("1"), testRunAnswers(3));
    m_fixture->addAnswers(QStringLiteral("2"), emptyAnswers());
    open();
    edit(QStringLiteral("Text4"))->setText(QStringLiteral("2"));
    QTest::keyClick(edit(QStringLiteral("Text4")), Qt::Key_Enter);
    QVERIFY(grid()->isVisible());

    // The sheet is typed digit after digit; the focus walks from box to box on its own.
    const QStringList sheet = testRunAnswers(7);
    box(1)->setFocus();
    for (int n = 1; n <= 80; ++n) {
        QCOMPARE(m_window->focusWidget(), box(n));
        QTest::keyClick(m_window->focusWidget(), sheet.at(n - 1).at(0).toLatin1());
    }
    QCOMPARE(m_window->focusWidget(), box(80));
    QCOMPARE(boxTexts(), sheet);
    QCOMPARE(m_fixture->answers(QStringLiteral("2")).mid(0, 79), sheet.mid(0, 79));
    QCOMPARE(m_fixture->answers(QStringLiteral("2")).at(79), QString());
    QCOMPARE(counter(), QStringLiteral("0"));

    QTest::keyClick(m_window->focusWidget(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window);
    QVERIFY(m_dialogs->entries().isEmpty());
    QCOMPARE(m_fixture->answers(QStringLiteral("2")), sheet);
    QCOMPARE(m_fixture->answers(QStringLiteral("1")), testRunAnswers(3));
    QCOMPARE(m_fixture->count(QStringLiteral("Answer")), 2);
}

QTEST_MAIN(TestFrmpas2)
#include "tst_frmpas2.moc"
