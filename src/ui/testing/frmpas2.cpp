#include "testing/frmpas2.h"

#include "common/fieldbinding.h"
#include "common/layout.h"
#include "common/messages.h"
#include "common/skin.h"
#include "common/textnumber.h"
#include "data/datacontrol.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kelvane {

namespace {

constexpr int AnswerCount = 80;
constexpr int SaveEvery = 20;

const QString DisplayingMode = QStringLiteral("3");
const QString TypingMode = QStringLiteral("4");

// Four columns of twenty; a wider gap separates the first ten rows from the last ten.
int boxLeft(int n) {
    return 720 + 1440 * ((n - 1) / 20);
}
int boxTop(int n) {
    const int k = (n - 1) % 20 + 1;
    return k <= 10 ? 495 + 360 * (k - 1) : 4365 + 360 * (k - 11);
}

QString notStoredText() {
    return QStringLiteral("پاسخ ها ذخيره نشد");
}
QString notReadText() {
    return QStringLiteral("اطلاعات آزمودني خوانده نشد");
}

} // namespace

Frmpas2::Frmpas2(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Frmpas2"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QString());
    sizeTwips(this, 9840, 9555);
    setFont(layoutFont(QStringLiteral("B Nazanin"), 12, true));
    buildControls();

    // Load: place, data, skin, then bind the twins while displaying so nothing counts as typed.
    moveWindowTwips(this, 2085, 745);
    placeTwips(m_grid, 1530, 660, 6660, 8205);
    m_grid->hide();
    openDataControls();
    ApplySavedSkin(this);
    for (int n = 1; n <= AnswerCount; ++n) {
        m_twins[n]->hide();
        findChild<QLabel *>(QStringLiteral("SkinLbl1(%1)").arg(n))->setText(QString::number(n));
        m_boxes[n]->setMaxLength(1);
        connect(m_twins[n], &QLineEdit::textChanged, this, [this, n] { twinChanged(n); });
        bindField(m_twins[n], m_answers, QString::number(n));
    }
    bindField(m_firstName, m_testTakers, QStringLiteral("FName"));
    bindField(m_lastName, m_testTakers, QStringLiteral("LName"));
}

Frmpas2::~Frmpas2() = default;

void Frmpas2::buildControls() {
    auto *header = new QFrame(this);
    header->setObjectName(QStringLiteral("Frame3"));
    header->setFrameShape(QFrame::NoFrame);
    placeTwips(header, 105, -135, 9600, 930);
    makeSkinLabel(header, QStringLiteral("SkinLabel1"),
                  QStringLiteral("جهت گزينه به هيچ وجه عدد1 ، گزينه تاحداندکي عدد 2 ، گزينه به "
                                 "مقدار متوسط عدد 3 ، گزينه تا حد زيادي عدد 4 ، گزينه کاملا عدد 5، "
                                 "و گزينه هاي بدون پاسخ عدد 0 را وارد نماييد"),
                  90, 120, 9510, 810);

    m_grid = new QFrame(this);
    m_grid->setObjectName(QStringLiteral("Frame1"));
    m_grid->setFrameShape(QFrame::StyledPanel);
    // The light blue of the sheet, kept whatever the skin paints frames with.
    const QColor sheetBlue(0xC0, 0xC0, 0xFF);
    QPalette palette = m_grid->palette();
    palette.setColor(QPalette::Window, sheetBlue);
    m_grid->setPalette(palette);
    m_grid->setAutoFillBackground(true);
    m_grid->setStyleSheet(
        QStringLiteral("#Frame1 { background-color: %1; }").arg(sheetBlue.name()));

    const QFont boxFont = layoutFont(QStringLiteral("MS Sans Serif"), 12, true);
    m_boxes.fill(nullptr, AnswerCount + 1);
    m_twins.fill(nullptr, AnswerCount + 1);
    for (int n = 1; n <= AnswerCount; ++n) {
        makeSkinLabel(m_grid, QStringLiteral("SkinLbl1(%1)").arg(n), QString(), boxLeft(n) - 405,
                      boxTop(n), 420, 330);
        QLineEdit *box =
            makeTextBox(m_grid, QStringLiteral("Txt1(%1)").arg(n), boxLeft(n), boxTop(n), 465, 375);
        box->setFont(boxFont);
        box->setAlignment(Qt::AlignCenter);
        // Only typed keys pass the filter: no paste or drop, and no input method that would
        // commit text without a key press.
        box->setContextMenuPolicy(Qt::NoContextMenu);
        box->setAcceptDrops(false);
        box->setAttribute(Qt::WA_InputMethodEnabled, false);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, [this, n] { answerBoxChanged(n); });
        m_boxes[n] = box;
        m_twins[n] =
            makeTextBox(m_grid, QStringLiteral("Txt2(%1)").arg(n), boxLeft(n), boxTop(n), 465, 375);
    }

    m_entryMode =
        makeSkinLabel(this, QStringLiteral("SkinLbl1(0)"), DisplayingMode, 0, 0, 420, 330);
    m_entryMode->hide();
    m_saveCounter = makeTextBox(this, QStringLiteral("Text13"), 0, 0, 465, 375);
    m_saveCounter->setText(QStringLiteral("0"));
    m_saveCounter->hide();
    m_firstName = makeTextBox(this, QStringLiteral("Text7"), 0, 0, 465, 375);
    m_firstName->hide();
    m_lastName = makeTextBox(this, QStringLiteral("Text8"), 0, 0, 465, 375);
    m_lastName->hide();

    m_name = makeTextBox(this, QStringLiteral("Text10"), 1005, 8910, 2235, 465);
    m_name->setEnabled(false);
    m_name->setReadOnly(true);
    m_name->setFrame(false);
    makeRightToLeft(m_name);

    m_code = makeTextBox(this, QStringLiteral("Text4"), 3330, 8910, 855, 465);
    m_code->setFont(boxFont);
    m_code->setAlignment(Qt::AlignCenter);
    connect(m_code, &QLineEdit::returnPressed, this, &Frmpas2::command3Clicked);

    connect(makeButton(this, QStringLiteral("Command3"), QStringLiteral("انتخاب آزمودني"), 4275,
                       8910, 1560, 555),
            &QPushButton::clicked, this, &Frmpas2::command3Clicked);
    connect(makeButton(this, QStringLiteral("Command1"), QStringLiteral("ذخيره"), 6375, 8910, 1215,
                       555),
            &QPushButton::clicked, this, &Frmpas2::command1Clicked);
    QPushButton *exit =
        makeButton(this, QStringLiteral("Command2"), QStringLiteral("خروج"), 7695, 8910, 1215, 555);
    connect(exit, &QPushButton::clicked, this, &Frmpas2::command2Clicked);
    makeCancelButton(this, exit);
}

void Frmpas2::openDataControls() {
    m_answers = openDataControl(this, QStringLiteral("Adodc2"), schema::FileKind::Main,
                                QStringLiteral("Answer"));
    m_answers3 = openDataControl(this, QStringLiteral("Adodc3"), schema::FileKind::Main,
                                 QStringLiteral("Answer"));
    m_answers4 = openDataControl(this, QStringLiteral("Adodc4"), schema::FileKind::Main,
                                 QStringLiteral("Answer"));
    m_testTakers = openDataControl(this, QStringLiteral("Adodc8"), schema::FileKind::Main,
                                   QStringLiteral("IDE"));
}

bool Frmpas2::typing() const {
    return m_entryMode->text() == TypingMode;
}

void Frmpas2::setTyping(bool typing) {
    m_entryMode->setText(typing ? TypingMode : DisplayingMode);
}

void Frmpas2::command3Clicked() {
    setTyping(false);
    const QString code = m_code->text();
    if (code.isEmpty()) {
        TimedMessage(this, QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد"));
        return;
    }
    Status status = m_testTakers->setFilter(QStringLiteral("Code"), code);
    if (!status) {
        ShowStorageError(this, notReadText(), status.error());
        return;
    }
    if (m_testTakers->rowCount() == 0) {
        TimedMessage(this, QStringLiteral("فردي با اين مشخصات وجود ندارد"));
        return;
    }

    // The row on screen is stored before another takes its place, so no typed answer is lost.
    status = storeAnswerRow();
    if (!status) {
        ShowStorageError(this, notStoredText(), status.error());
        return;
    }

    // A registered test-taker without an answer row gets one, as the test run makes it.
    status = m_answers4->setFilter(QStringLiteral("code"), code);
    if (status && m_answers4->rowCount() == 0) {
        m_answers4->addNew();
        m_answers4->setField(QStringLiteral("Code"), code);
        status = m_answers4->update();
        if (!status) {
            ShowStorageError(this, notStoredText(), status.error());
            if (m_hasSelection)
                m_answers4->setFilter(QStringLiteral("code"), m_selectedCode);
            else
                m_answers4->refresh();
            return;
        }
    } else if (!status) {
        ShowStorageError(this, notReadText(), status.error());
        return;
    }

    m_answers->setFilter(QStringLiteral("code"), code);
    m_answers3->setFilter(QStringLiteral("code"), code);
    m_answers4->setFilter(QStringLiteral("code"), code);
    m_selectedCode = code;
    m_hasSelection = true;
    m_name->setText(m_firstName->text() + QLatin1Char(' ') + m_lastName->text());
    m_grid->show();
}

void Frmpas2::command1Clicked() {
    if (m_code->text().isEmpty()) {
        TimedMessage(
            this, QStringLiteral(
                      "ابتدا کدآزمودني مورد نظر را وارد نموده سپس روي انتخاب آزمودني کليک كنيد"));
        return;
    }
    const Status status = storeAnswerRow();
    if (!status) {
        ShowStorageError(this, notStoredText(), status.error());
        return;
    }
    m_saveCounter->setText(QStringLiteral("0"));
    TimedMessage(this, QStringLiteral("تغييرات با موفقيت ذخيره گرديد"));
}

void Frmpas2::command2Clicked() {
    close();
}

void Frmpas2::closeEvent(QCloseEvent *event) {
    if (hasUnstoredAnswers()) {
        const Status status = storeAnswerRow();
        // Closing would lose the typed answers: only the user may let them go.
        if (!status && !ConfirmCloseWithoutStoring(this, notStoredText(), status.error())) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

bool Frmpas2::hasUnstoredAnswers() const {
    return m_answers->hasCurrentRow() && (m_answers->isNewRow() || m_answers->isModified());
}

Status Frmpas2::storeAnswerRow() {
    // Only Adodc2 is ever edited; the other two views write nothing unless they hold changes.
    for (DataControl *control : {m_answers, m_answers3, m_answers4}) {
        if (!control->hasCurrentRow() || (!control->isNewRow() && !control->isModified()))
            continue;
        const Status status = control->update();
        if (!status)
            return status;
    }
    return Status::success();
}

bool Frmpas2::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        for (int n = 1; n <= AnswerCount; ++n) {
            if (m_boxes[n] == watched)
                return answerKeyPressed(n, static_cast<QKeyEvent *>(event));
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool Frmpas2::answerKeyPressed(int n, QKeyEvent *event) {
    setTyping(true);
    const int key = event->key();
    if (key == Qt::Key_Backspace || key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return false;
    const QString typed = event->text();
    if (typed.isEmpty())
        return false; // arrows, Delete, Home and the like type nothing and keep their meaning
    if (typed.size() == 1) {
        const int value = digitValue(typed.at(0));
        if (value >= 0 && value <= 5) {
            if (typed.at(0).unicode() < 128)
                return false;
            // Persian and Arabic-Indic digits enter as the ASCII digit they stand for.
            m_boxes[n]->insert(QString::number(value));
            return true;
        }
    }
    QApplication::beep();
    return true;
}

void Frmpas2::setBoxText(int n, const QString &text) {
    if (m_boxes[n]->text() == text)
        return;
    m_programChange = true;
    m_boxes[n]->setText(text);
    m_programChange = false;
}

void Frmpas2::twinChanged(int n) {
    const QString value = m_twins[n]->text();
    if (value.isEmpty())
        setBoxText(n, QString());
    else if (value.size() == 1 && value.at(0) >= QLatin1Char('1') &&
             value.at(0) <= QLatin1Char('5'))
        setBoxText(n, value);
}

void Frmpas2::advanceSaveCounter(int steps) {
    // The counter comes back to 0 each time it reaches 20; the row was stored by then anyway.
    const qint64 value = leadingWholeNumber(m_saveCounter->text()) % SaveEvery;
    m_saveCounter->setText(QString::number((value + steps) % SaveEvery));
}

void Frmpas2::answerBoxChanged(int n) {
    if (m_programChange || !typing())
        return;
    QLineEdit *box = m_boxes[n];
    const QString text = box->text();
    const int value = text.isEmpty() ? 0 : text.size() == 1 ? digitValue(text.at(0)) : -1;
    if (value < 0 || value > 5) {
        // Not typed through the key filter: show the stored answer again.
        const QString stored = m_twins[n]->text();
        setBoxText(n, stored.size() == 1 && stored.at(0) >= QLatin1Char('1') &&
                              stored.at(0) <= QLatin1Char('5')
                          ? stored
                          : QString());
        return;
    }
    if (!text.isEmpty() && text.at(0).unicode() >= 128)
        setBoxText(n, QString::number(value));

    const QString answer = value >= 1 ? QString::number(value) : QString();
    // A digit counts 80 steps (it comes back where it was); a 0 over an answer counts two, since
    // clearing the box is a change of its own; a 0 over nothing or a deletion counts one.
    int steps = 80;
    if (value == 0)
        steps = !text.isEmpty() && !m_twins[n]->text().isEmpty() ? 2 : 1;

    if (n < AnswerCount) {
        QLineEdit *next = m_boxes[n + 1];
        next->selectAll();
        next->setFocus();
    }
    // The twin's binding writes the answer into the working row and its display coding clears
    // a "0" typed over an answer.
    m_twins[n]->setText(answer);
    if (n == AnswerCount)
        return; // the last answer waits for the next store

    advanceSaveCounter(steps);
    const Status status = storeAnswerRow();
    if (!status)
        ShowStorageError(this, notStoredText(), status.error());
}

Frmpas2 *OpenAnswerSheet(QWidget *mainWindow) {
    auto *window = new Frmpas2(mainWindow);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    return window;
}

} // namespace kelvane
