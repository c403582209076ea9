#include "app/registrationpanel.h"

#include "app/frm1.h"
#include "common/digitsonlyfilter.h"
#include "common/fieldbinding.h"
#include "common/jalalidate.h"
#include "common/layout.h"
#include "common/messages.h"
#include "common/textnumber.h"
#include "data/database.h"
#include "data/datacontrol.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTime>

#include <limits>

namespace kelvane {

namespace {

// Two right-to-left columns of caption + box pairs, buttons below them.
constexpr int RowTop = 240;
constexpr int RowStep = 435;
constexpr int RowHeight = 360;
constexpr int CaptionWidth = 1440;
constexpr int BoxWidth = 1860;
constexpr int RightCaptionLeft = 5655;
constexpr int RightBoxLeft = 3735;
constexpr int LeftCaptionLeft = 2055;
constexpr int LeftBoxLeft = 135;

constexpr qint64 HighestCode = std::numeric_limits<qint64>::max();

QString notStoredText() {
    return QStringLiteral("ثبت نام ذخيره نشد");
}

} // namespace

RegistrationPanel::RegistrationPanel(Frm1 *mainWindow) : QFrame(mainWindow), m_main(mainWindow) {
    setObjectName(QStringLiteral("Frame10"));
    setFrameShape(QFrame::StyledPanel);
    setLayoutDirection(Qt::RightToLeft);
    buildControls();
    hide();
}

QLineEdit *RegistrationPanel::box(const char *name) const {
    return findChild<QLineEdit *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

void RegistrationPanel::buildControls() {
    setFont(layoutFont(QStringLiteral("B Nazanin"), 11, true));

    struct Field {
        const char *name;
        QString caption;
        bool list;
    };
    // Right column first: the order in which the particulars are asked for.
    const Field fields[] = {
        {"Text11", QStringLiteral(":کدآزمودني"), false},
        {"Text6", QStringLiteral(" :نام"), false},
        {"Text4", QStringLiteral(" :نام خانوادگي"), false},
        {"Text5", QStringLiteral(" :سن"), false},
        {"Combo1", QStringLiteral(" :تاهل"), true},
        {"Combo2", QStringLiteral(" :جنس"), true},
        {"Combo3", QStringLiteral(" :گروه"), true},
        {"Text7", QStringLiteral(" :تحصيلات"), false},
        {"Text8", QStringLiteral(" :تاريخ"), false},
        {"Text9", QStringLiteral(" :ساعت"), false},
    };
    QList<QWidget *> tabOrder;
    int index = 0;
    for (const Field &field : fields) {
        const bool right = index < 5;
        const int top = RowTop + (index % 5) * RowStep;
        const int boxLeft = right ? RightBoxLeft : LeftBoxLeft;
        const QString name = QString::fromLatin1(field.name);
        QWidget *control;
        if (field.list) {
            auto *combo = new QComboBox(this);
            combo->setObjectName(name);
            placeTwips(combo, boxLeft, top, BoxWidth, RowHeight);
            control = combo;
        } else {
            control = makeTextBox(this, name, boxLeft, top, BoxWidth, RowHeight);
        }
        makeRightToLeft(control);
        QLabel *caption =
            makeSkinLabel(this, QStringLiteral("SkinLabel10(%1)").arg(index + 1), field.caption,
                          right ? RightCaptionLeft : LeftCaptionLeft, top, CaptionWidth, RowHeight);
        caption->setBuddy(control);
        tabOrder << control;
        ++index;
    }

    const int buttonTop = RowTop + 5 * RowStep;
    QPushButton *save = makeButton(this, QStringLiteral("Command8"), QStringLiteral("ذخيره"), 3727,
                                   buttonTop, 1500, 420);
    QPushButton *cancel = makeButton(this, QStringLiteral("Command10"), QStringLiteral("انصراف"),
                                     1988, buttonTop, 1500, 420);
    tabOrder << save << cancel;
    for (int i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
    connect(save, &QPushButton::clicked, this, &RegistrationPanel::save);
    connect(cancel, &QPushButton::clicked, this, &RegistrationPanel::cancel);

    // Hidden boxes: the lists' bound fields, and mirrors of the lookup and answer controls.
    for (const char *name :
         {"Text15", "Text16", "Text17", "Textauto", "Text20", "Text12", "Text10"})
        makeTextBox(this, QString::fromLatin1(name), 0, 0, 600, RowHeight)->hide();
    for (const char *name : {"Textauto", "Text20", "Text12", "Text10"})
        box(name)->setReadOnly(true);

    QLineEdit *age = box("Text5");
    age->setMaxLength(2);
    attachDigitsOnly(age, 9);
    box("Text9")->setReadOnly(true);

    m_marital = findChild<QComboBox *>(QStringLiteral("Combo1"));
    m_marital->addItems({QStringLiteral("مجرد"), QStringLiteral("متأهل"), QStringLiteral("مطلقه"),
                         QStringLiteral("بيوه")});
    m_marital->setToolTip(QStringLiteral("وضعيت تأهل خود را مشخص کنيد"));
    m_sex = findChild<QComboBox *>(QStringLiteral("Combo2"));
    m_sex->addItems({QStringLiteral("مرد"), QStringLiteral("زن")});
    m_sex->setToolTip(QStringLiteral("جنسيت را انتخاب كنيد"));
    m_group = findChild<QComboBox *>(QStringLiteral("Combo3"));
    for (char group = 'A'; group <= 'G'; ++group)
        m_group->addItem(QString(QLatin1Char(group)));

    const QPair<QComboBox *, const char *> lists[] = {
        {m_marital, "Text15"}, {m_sex, "Text16"}, {m_group, "Text17"}};
    for (const auto &[list, hidden] : lists) {
        list->setCurrentIndex(-1); // nothing chosen until the user picks
        QLineEdit *target = box(hidden);
        // Choosing the entry already shown must copy it too: the new row starts empty.
        connect(list, &QComboBox::textActivated, target, &QLineEdit::setText);
        connect(list, &QComboBox::currentTextChanged, target, &QLineEdit::setText);
    }
}

void RegistrationPanel::bindData() {
    if (m_testTakers)
        return;
    m_testTakers = m_main->dataControl(QStringLiteral("Adodc2"));
    m_answers = m_main->dataControl(QStringLiteral("Adodc3"));
    m_lookup = m_main->dataControl(QStringLiteral("Adodc5"));

    const QPair<const char *, const char *> bound[] = {
        {"Text11", "Code"},  {"Text6", "FName"}, {"Text4", "LName"}, {"Text5", "Sen"},
        {"Text7", "Tahsil"}, {"Text8", "Date"},  {"Text9", "Time"},  {"Text15", "Taahol"},
        {"Text16", "Jens"},  {"Text17", "Group"}};
    for (const auto &[name, field] : bound)
        bindField(box(name), m_testTakers, QString::fromLatin1(field));
    bindField(box("Textauto"), m_lookup, QStringLiteral("Code"));
    bindField(box("Text20"), m_lookup, QStringLiteral("FName"));
    bindField(box("Text12"), m_answers, QStringLiteral("Code"));
    bindField(box("Text10"), m_main->dataControl(QStringLiteral("Adodc4")), QStringLiteral("Code"));

    m_command1 = m_main->findChild<QPushButton *>(QStringLiteral("Command1"));
    connect(m_command1, &QPushButton::clicked, this, &RegistrationPanel::openRegistration);
}

void RegistrationPanel::openRegistration() {
    m_main->HidePanels();
    placeTwips(this, 1005, 780, 7215, 2895);
    show();
    raise();
    m_testTakers->addNew();
    box("Text9")->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    box("Text8")->setText(JalaliDate(QDate::currentDate(), 0));
    box("Text6")->setFocus();
    ProposeCode();
    m_command1->setEnabled(false);
}

void RegistrationPanel::ProposeCode() {
    // Two single-row reads, however many test-takers there are.
    QLineEdit *code = box("Text11");
    m_lookup->refresh();
    m_lookup->moveLast();
    if (!m_lookup->hasCurrentRow()) {
        code->clear();
        return;
    }
    const qint64 last = leadingWholeNumber(box("Textauto")->text());
    if (last == HighestCode) {
        code->clear(); // nothing follows it
        return;
    }
    code->setText(QString::number(last + 1));
    SkipUsedCodes();
}

void RegistrationPanel::SkipUsedCodes() {
    QLineEdit *code = box("Text11");
    if (!m_lookup->setFilter(QStringLiteral("Code"), code->text()) || !m_lookup->hasCurrentRow())
        return;
    // The proposal is taken: walk past the run of used numbers after it. They come from one
    // query, not one lookup each, since after a code such as "A12" the walk starts at 1.
    qint64 next = leadingWholeNumber(code->text());
    QVector<qint64> used;
    m_lookup->refresh();
    const Status status =
        next == HighestCode ? Status::success()
                            : m_lookup->wholeNumberValues(QStringLiteral("Code"), next + 1, &used);
    if (next == HighestCode || !status) {
        code->clear();
        return;
    }
    ++next;
    for (const qint64 value : std::as_const(used)) {
        if (value > next)
            break;
        if (value == next) {
            if (next == HighestCode) {
                code->clear();
                return;
            }
            ++next;
        }
    }
    code->setText(QString::number(next));
}

bool RegistrationPanel::checkParticulars(const QString &code) {
    struct Check {
        QString value;
        QString message;
        QWidget *focus;
    };
    const Check checks[] = {
        {code, QStringLiteral("کد آزمودني را وارد کنيد"), box("Text11")},
        {box("Text6")->text(), QStringLiteral("نام آزمودني را وارد کنيد"), box("Text6")},
        {box("Text4")->text(), QStringLiteral("نام خانوادگي آزمودني را وارد کنيد"), box("Text4")},
        {box("Text16")->text(), QStringLiteral("جنسيت آزمودني را مشخص کنيد"), m_sex},
        {box("Text5")->text(), QStringLiteral("سن آزمودني را وارد کنيد"), box("Text5")},
        {box("Text15")->text(), QStringLiteral("وضعيت تاهل آزمودني را مشخص کنيد"), m_marital},
        {box("Text17")->text(), QStringLiteral("گروه را مشخص کنيد"), m_group},
        {box("Text7")->text(), QStringLiteral("ميزان تحصيلات آزمودني را وارد کنيد"), box("Text7")},
    };
    for (const Check &check : checks) {
        if (check.value.isEmpty()) {
            TimedMessage(m_main, check.message);
            check.focus->setFocus();
            return false;
        }
    }
    return true;
}

void RegistrationPanel::save() {
    box("Text15")->setText(m_marital->currentText());
    box("Text16")->setText(m_sex->currentText());
    box("Text17")->setText(m_group->currentText());

    QLineEdit *codeBox = box("Text11");
    const QString typed = codeBox->text();
    // Surrounding blanks would keep the test-taker row and the answer row from joining (and
    // would let " 12" pass beside "12"), so the code is trimmed once and used so everywhere.
    // A code of blanks only is therefore no code.
    const QString code = typed.trimmed();
    if (!checkParticulars(code))
        return;

    const Status looked = m_lookup->setFilter(QStringLiteral("Code"), code);
    if (!looked) {
        ShowStorageError(m_main, notStoredText(), looked.error());
        return;
    }
    if (m_lookup->hasCurrentRow()) {
        TimedMessage(m_main, QStringLiteral("فردديگري با اين کد ثبت شده"));
        m_lookup->refresh();
        return;
    }

    codeBox->setText(code);
    const Status stored = Database::transaction(m_testTakers->connectionName(), [&] {
        m_answers->addNew();
        m_answers->setField(QStringLiteral("Code"), code);
        Status status = m_testTakers->update();
        if (status)
            status = m_answers->update();
        return status;
    });
    if (!stored) {
        // The rollback put the unsaved row back; the screen keeps what was typed, so saving
        // again once the cause is gone stores it.
        m_answers->refresh();
        codeBox->setText(typed);
        ShowStorageError(m_main, notStoredText(), stored.error());
        return;
    }

    m_testTakers->refresh();
    m_answers->refresh();
    m_main->HidePanels();
    m_main->setLeaveFlag(QStringLiteral("1"));
}

void RegistrationPanel::cancel() {
    m_testTakers->refresh();
    m_main->HidePanels();
    m_command1->setEnabled(true);
    m_lookup->refresh();
}

} // namespace kelvane
