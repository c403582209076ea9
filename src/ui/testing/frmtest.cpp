#include "testing/frmtest.h"

#include "common/digitsonlyfilter.h"
#include "common/fieldbinding.h"
#include "common/layout.h"
#include "common/messages.h"
#include "common/skin.h"
#include "common/textnumber.h"
#include "data/datacontrol.h"
#include "platform/dialogservice.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace kelvane {

namespace {

QPointer<FrmTest> &theWindow() {
    static QPointer<FrmTest> window;
    return window;
}

const QString Nazanin = QStringLiteral("B Nazanin");
constexpr int QuestionCount = 80;

} // namespace

FrmTest *FrmTest::instance() {
    QPointer<FrmTest> &window = theWindow();
    if (!window) {
        window = new FrmTest;
        // The data controls hold database connections that must go before the application.
        static const QMetaObject::Connection unloadAtQuit =
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] { FrmTest::unload(); });
        Q_UNUSED(unloadAtQuit);
    }
    return window;
}

FrmTest *FrmTest::loaded() {
    return theWindow();
}

void FrmTest::unload() {
    delete theWindow().data();
}

FrmTest::FrmTest() : QWidget(nullptr) {
    setObjectName(QStringLiteral("FrmTest"));
    setWindowTitle(QStringLiteral("صفحه اجراي تست"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setLayoutDirection(Qt::RightToLeft);
    sizeTwips(this, 10725, 8775);

    buildControls();

    // Load: place, skin, data, then the state before the start.
    moveWindowTwips(this, 2340, 765);
    ApplySavedSkin(this);
    m_adodc2 = openDataControl(this, QStringLiteral("Adodc2"), schema::FileKind::Main,
                               QStringLiteral("Answer"));
    m_adodc3 = openDataControl(this, QStringLiteral("Adodc3"), schema::FileKind::Main,
                               QStringLiteral("IDE"));
    m_adodc4 = openDataControl(this, QStringLiteral("Adodc4"), schema::FileKind::Main,
                               QStringLiteral("Answer"));
    m_adodc5 = openDataControl(this, QStringLiteral("Adodc5"), schema::FileKind::Main,
                               QStringLiteral("IDE"));
    m_adodc6 = openDataControl(this, QStringLiteral("Adodc6"), schema::FileKind::Main,
                               QStringLiteral("QUS"));

    buildParticulars();
    m_answerBinding = bindField(m_text12, m_adodc2, QStringLiteral("1"));
    bindField(m_text14, m_adodc2, QStringLiteral("Code"));

    showInitialState();
    connect(m_text6, &QLineEdit::textChanged, this, &FrmTest::questionChanged);
}

FrmTest::~FrmTest() = default;

DataControl *FrmTest::dataControl(const QString &name) const {
    return findChild<DataControl *>(name, Qt::FindDirectChildrenOnly);
}

void FrmTest::buildControls() {
    m_title = makeSkinLabel(this, QStringLiteral("SkinLabel3"),
                            QStringLiteral("پرسشنامه هوش چندگانه گاردنر"), 1200, 600, 7635, 1515);
    m_title->setFont(layoutFont(Nazanin, 24, true));
    m_instructions = makeSkinLabel(this, QStringLiteral("SkinLabel4"),
                                   QStringLiteral("اين پرسشنامه داراي 80 سوال مي باشد جهت پاسخگويي "
                                                  "به سوالات روي دکمه شروع کليک کنيد"),
                                   600, 3000, 9075, 4095);
    m_instructions->setFont(layoutFont(Nazanin, 16, true));

    m_statement = makeSkinLabel(this, QStringLiteral("SkinLbl5"), QString(), 480, 3360, 8535, 1455);
    m_statement->setFont(layoutFont(Nazanin, 14, true));

    m_text6 = makeTextBox(this, QStringLiteral("Text6"), 9120, 3420, 615, 495);
    m_text6->setFont(layoutFont(Nazanin, 15.75, true));
    m_text6->setAlignment(Qt::AlignCenter);
    m_text6->setText(QStringLiteral("0"));
    attachDigitsOnly(m_text6, 9);

    m_frame2 = new QGroupBox(this);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_frame2->setFont(layoutFont(Nazanin, 12, true));
    placeTwips(m_frame2, 3960, 4560, 2355, 2955);
    const QString captions[5] = {
        QStringLiteral("به هيچ وجه"),     QStringLiteral("تا حد اندکي"),
        QStringLiteral("به مقدار متوسط"), QStringLiteral("تا حد زيادي"),
        QStringLiteral("کاملاً"),
    };
    for (int i = 0; i < 5; ++i) {
        auto *option = new QRadioButton(captions[i], m_frame2);
        option->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        option->setFont(layoutFont(Nazanin, 12, true));
        placeTwips(option, 360, 240 + 540 * i, 1695, 435);
        connect(option, &QRadioButton::clicked, this, [this, i] { optionClicked(i + 1); });
        m_options[i] = option;
    }

    m_command1 =
        makeButton(this, QStringLiteral("Command1"), QStringLiteral("شروع"), 4455, 7980, 975, 555);
    m_command1->setFont(layoutFont(Nazanin, 12, true));
    connect(m_command1, &QPushButton::clicked, this, &FrmTest::command1Clicked);

    m_cmdBack =
        makeButton(this, QStringLiteral("CmdBack"), QStringLiteral("قبلي"), 2100, 5700, 1455, 975);
    m_cmdBack->setFont(layoutFont(Nazanin, 14.25, true));
    connect(m_cmdBack, &QPushButton::clicked, this, [this] { stepQuestion(-1); });

    m_cmdNext =
        makeButton(this, QStringLiteral("CmdNext"), QStringLiteral("بعدي"), 6660, 5700, 1455, 975);
    m_cmdNext->setFont(layoutFont(Nazanin, 14.25, true));
    m_cmdNext->setDefault(true);
    connect(m_cmdNext, &QPushButton::clicked, this, [this] { stepQuestion(1); });

    m_command5 = makeButton(this, QStringLiteral("Command5"), QStringLiteral("ذخيره و خروج"), 4455,
                            7980, 1575, 555);
    m_command5->setFont(layoutFont(Nazanin, 12, true));
    connect(m_command5, &QPushButton::clicked, this, &QWidget::close);

    // Enter on a focused button presses that button, as on the other windows.
    for (QPushButton *button : {m_command1, m_cmdBack, m_cmdNext, m_command5})
        button->setAutoDefault(true);

    m_text12 = makeTextBox(this, QStringLiteral("Text12"), 120, 8000, 400, 300);
    m_text12->hide();
    m_text14 = makeTextBox(this, QStringLiteral("Text14"), 600, 8000, 400, 300);
    m_text14->hide();
}

void FrmTest::buildParticulars() {
    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::StyledPanel);
    placeTwips(frame, 360, 480, 9990, 2115);
    m_frame1 = frame;

    struct Particular {
        const char *box;
        QString label;
        const char *field;
    };
    const Particular particulars[] = {
        {"Text1", QStringLiteral(" :کدآزمودني"), "Code"},
        {"Text3", QStringLiteral(" :نام"), "FName"},
        {"Text4", QStringLiteral(" :نام خانوادگي"), "LName"},
        {"Text10", QStringLiteral(" :جنس"), "Jens"},
        {"Text5", QStringLiteral(" :سن"), "Sen"},
        {"Text11", QStringLiteral(" :وضعيت تاهل"), "Taahol"},
        {"Text7", QStringLiteral(" :ميزان تحصيلات"), "Tahsil"},
        {"Text8", QStringLiteral(" :تاريخ"), "Date"},
        {"Text9", QStringLiteral(" :ساعت"), "Time"},
    };
    // Three rows of three, read from the right: label, then its box to the left.
    constexpr int columnRight[3] = {9870, 6540, 3210};
    constexpr int rowTop[3] = {240, 840, 1440};
    for (int i = 0; i < 9; ++i) {
        const int right = columnRight[i % 3];
        const int top = rowTop[i / 3];
        QLabel *label = makeSkinLabel(frame, QStringLiteral("SkinLabel%1").arg(6 + i),
                                      particulars[i].label, right - 1300, top, 1300, 450);
        label->setFont(layoutFont(Nazanin, 10, true));
        label->setWordWrap(false);
        label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        QLineEdit *box = makeTextBox(frame, QString::fromLatin1(particulars[i].box), right - 3150,
                                     top, 1800, 450);
        box->setFont(layoutFont(Nazanin, 11, true));
        makeRightToLeft(box);
        bindField(box, m_adodc3, QString::fromLatin1(particulars[i].field));
    }
    m_text1 = frame->findChild<QLineEdit *>(QStringLiteral("Text1"));
    m_text1->setReadOnly(true);
    auto *age = frame->findChild<QLineEdit *>(QStringLiteral("Text5"));
    age->setMaxLength(3);
    attachDigitsOnly(age, 9);
}

void FrmTest::showInitialState() {
    m_running = false;
    m_title->show();
    m_instructions->show();
    m_command1->show();
    for (QWidget *hidden : std::initializer_list<QWidget *>{
             m_frame1, m_frame2, m_text6, m_statement, m_cmdNext, m_cmdBack, m_command5})
        hidden->hide();
    m_text6->setText(QStringLiteral("0"));
}

bool FrmTest::event(QEvent *event) {
    // The toolkit also activates the window again when a message box over it closes or the
    // user comes back from another program; only a fresh showing counts as Activate here, so
    // the particulars never vanish in the middle of a run.
    if (event->type() == QEvent::WindowActivate && !m_running)
        Activate();
    return QWidget::event(event);
}

void FrmTest::Activate() {
    m_frame1->hide();
    m_title->show();
}

void FrmTest::keyPressEvent(QKeyEvent *event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_cmdNext->isVisible()) {
        m_cmdNext->click();
        return;
    }
    if (key == Qt::Key_Escape && m_command5->isVisible()) {
        m_command5->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FrmTest::command1Clicked() {
    m_statement->show();
    placeTwips(m_statement, 480, 3360, 8535, 1455);
    m_title->hide();
    m_instructions->hide();
    m_frame1->show();
    m_frame2->show();
    m_text6->show();
    m_cmdNext->show();
    // "0" first, so that "1" is a change even when the box already held it.
    m_text6->setText(QStringLiteral("0"));
    m_cmdBack->show();
    m_text1->setFocus();
    m_command1->hide();
    m_command5->show();
    m_running = true;
    m_text6->setText(QStringLiteral("1"));
}

// Runs on every change of the number box, typed or set here; setting the box runs it again
// inside itself, and that inner run shows the question.
void FrmTest::questionChanged() {
    const QString box = m_text6->text();
    if (box.isEmpty()) {
        m_statement->clear();
        m_text6->setText(QStringLiteral("1"));
        return;
    }
    const double value = leadingNumber(box);
    if (value < 0) {
        TimedMessage(this, QStringLiteral("شروع"));
        m_text6->setText(QStringLiteral("1"));
        return;
    }
    const qint64 number = qint64(std::min(value, 1e15));
    if (number == 0)
        return; // the resting value: the question on screen stays
    if (number > QuestionCount) {
        storeAnswers();
        TimedMessage(this, QStringLiteral("پايان"));
        m_text6->setText(QString::number(QuestionCount));
        return;
    }
    // Answer fields are named by the plain number: "05" becomes "5".
    const QString plain = QString::number(number);
    if (box != plain) {
        m_text6->setText(plain);
        return;
    }
    showQuestion(plain);
}

void FrmTest::showQuestion(const QString &number) {
    m_adodc6->setFilter(QStringLiteral("ID"), number);
    m_statement->setText(m_adodc6->hasCurrentRow() ? m_adodc6->field(QStringLiteral("QU"))
                                                   : QString());
    // Only the display follows the new field: an answer chosen for the previous question stays
    // in the working row until the next storing point.
    m_answerBinding->rebind(number);
    m_frame2->setTitle(number);
    ShowStoredAnswer();
}

void FrmTest::ShowStoredAnswer() {
    const QString answer = m_text12->text();
    if (answer.isEmpty()) {
        clearOptions();
        return;
    }
    static const QStringList values{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                    QStringLiteral("4"), QStringLiteral("5")};
    const int index = int(values.indexOf(answer));
    if (index >= 0)
        m_options[index]->setChecked(true);
}

void FrmTest::clearOptions() {
    // Exclusive option buttons refuse to be all cleared.
    for (QRadioButton *option : m_options) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

void FrmTest::optionClicked(int value) {
    m_text12->setText(QString::number(value));
}

void FrmTest::stepQuestion(int delta) {
    const bool stored = storeAnswers();
    m_quietStore = !stored;
    m_text6->setText(plainNumber(leadingNumber(m_text6->text()) + delta));
    m_quietStore = false;
}

// A storing point of the working answer row. A failed store keeps the row's edits, so the next
// storing point writes them again.
bool FrmTest::storeAnswers() {
    if (!m_adodc2->hasCurrentRow())
        return true;
    const Status status = m_adodc2->update();
    if (!status && !m_quietStore)
        ShowStorageError(this, QStringLiteral("پاسخ ها ذخيره نشد"), status.error());
    return status.ok();
}

// "ذخيره و خروج": the answers and the particulars. Nothing is refreshed away after a failure.
bool FrmTest::storeAll() {
    QStringList failed;
    QStringList errors;
    const auto store = [&](DataControl *data, const QString &what) {
        if (!data->hasCurrentRow())
            return;
        const Status status = data->update();
        if (!status) {
            failed << what;
            if (!errors.contains(status.error()))
                errors << status.error();
        }
    };
    store(m_adodc2, QStringLiteral("پاسخ ها"));
    store(m_adodc3, QStringLiteral("مشخصات آزمودني"));
    store(m_adodc4, QStringLiteral("پاسخ ها"));
    if (!failed.isEmpty()) {
        failed.removeDuplicates();
        // Closing would lose the answers: only the user may let them go.
        if (!ConfirmCloseWithoutStoring(
                this, failed.join(QStringLiteral(" و ")) + QStringLiteral(" ذخيره نشد"),
                errors.join(QLatin1Char('\n'))))
            return false;
    }
    m_adodc2->refresh();
    m_adodc3->refresh();
    m_adodc5->refresh();
    return true;
}

// "ذخيره و خروج", Esc and the close box all end here: store everything, then close. A failed
// store asks first: the window stays open with the answers on screen unless the user lets them go.
void FrmTest::closeEvent(QCloseEvent *event) {
    if (!storeAll()) {
        event->ignore();
        return;
    }
    event->accept();
    showInitialState();
}

bool FrmTest::ensureAnswerRow(const QString &code, QWidget *owner) {
    m_adodc2->setFilter(QStringLiteral("Code"), code);
    if (m_adodc2->hasCurrentRow())
        return true;
    m_adodc2->addNew();
    m_text14->setText(code);
    Status status = m_adodc2->update();
    if (status)
        status = m_adodc2->setFilter(QStringLiteral("Code"), code);
    if (status && m_adodc2->hasCurrentRow())
        return true;
    // Without its row no chosen answer could be stored: the run does not start.
    m_adodc2->refresh();
    ShowStorageError(owner, QStringLiteral("پاسخنامه آزمودني ساخته نشد"), status.error());
    return false;
}

void StartTestRun(QWidget *mainWindow) {
    FrmTest *form = FrmTest::instance();
    if (form->isVisible()) {
        form->raise();
        form->activateWindow();
        return;
    }
    form->m_adodc2->refresh();
    form->m_adodc3->refresh();

    const QString code =
        DialogService::current().inputBox(mainWindow, QStringLiteral(" Plese Insert Code "),
                                          QStringLiteral("Enter Code "), QString());
    if (code.isEmpty()) {
        TimedMessage(mainWindow, QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد"));
        return;
    }
    // The code is matched exactly as typed.
    form->m_adodc3->setFilter(QStringLiteral("Code"), code);
    if (!form->m_adodc3->hasCurrentRow()) {
        TimedMessage(mainWindow, QStringLiteral("فردي با اين مشخصات وجود ندارد"));
        return;
    }
    if (!form->ensureAnswerRow(code, mainWindow))
        return;

    form->setWindowModality(Qt::ApplicationModal);
    form->show();
    form->activateWindow();
}

} // namespace kelvane
