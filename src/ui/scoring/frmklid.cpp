#include "scoring/frmklid.h"

#include "app/mainwindowhost.h"
#include "common/fieldbinding.h"
#include "common/layout.h"
#include "common/messages.h"
#include "common/skin.h"
#include "data/datacontrol.h"
#include "platform/dialogservice.h"
#include "scoring/frmp.h"
#include "scoring/scalekey.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kelvane {

namespace {

QFrame *makePanel(QWidget *parent, const QString &name, int left, int top, int width, int height) {
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::StyledPanel);
    placeTwips(frame, left, top, width, height);
    return frame;
}

const QString kCodeFilter = QStringLiteral("code");

QString particularsNotSaved() {
    return QStringLiteral("تغييرات ذخيره نشد");
}

} // namespace

FrmkLID::FrmkLID(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmkLID"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("کليد گذاري"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    sizeTwips(this, 10110, 6030);
    setLayoutDirection(Qt::RightToLeft);

    buildParticulars();
    buildCommands();
    buildScores();
    buildHelp();

    // Clinic name and address, kept for the printouts.
    for (const char *name : {"Text13", "Text16"}) {
        QLineEdit *hidden = makeTextBox(this, QString::fromLatin1(name), 0, 0, 1000, 300);
        hidden->hide();
    }

    // Load: place, skin, help panel, both panels hidden, sources.
    moveWindowTwips(this, 2340, 765);
    ApplySavedSkin(this);
    placeTwips(m_help, 1380, 1080, 7635, 4935);
    m_help->hide();
    m_help->raise();
    m_particulars->hide();
    m_scorePanel->hide();
    openDataControls();

    makeCancelButton(this, findChild<QPushButton *>(QStringLiteral("Command4")));
}

FrmkLID::~FrmkLID() = default;

QString FrmkLID::helpText() {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("در اين قسمت از نرم افزار ابتدا روي انتخاب آزمودني ") + crlf +
           QStringLiteral("کليک کرده سپس کد آزمودني را وارد کنيد و دکمه ") + crlf +
           QStringLiteral("اينتر را فشار دهيد نتيجه آزمون نمايش داده و ذخيره ") + crlf +
           QStringLiteral("خواهد شد در صورتيکه تمايل داريد نتيجه آزمون را ") + crlf +
           QStringLiteral("پرينت بگيريد روي دکمه پروفايل کليک کنيد و در صورتيکه تمايل به پرينت "
                          "نتيجه آزمون ") +
           crlf + QStringLiteral("کل آزمودنيها را داريد روي دکمه پرينت کل آزمودنيها ") + crlf +
           QStringLiteral("کليک کنيد") + crlf;
}

void FrmkLID::buildParticulars() {
    m_particulars = makePanel(this, QStringLiteral("Frame5"), 300, 300, 9495, 2115);
    struct Field {
        const char *caption; // objectName of the caption label
        QString text;
        int captionLeft, captionWidth;
        const char *box;
        int boxLeft, boxWidth;
        int top;
    };
    const Field fields[] = {
        {"Label1", QStringLiteral(" :کدآزمودني"), 8280, 1095, "Text15", 7440, 840, 300},
        {"Label2", QStringLiteral(" :نام"), 6840, 600, "Text3(3)", 5640, 1200, 300},
        {"Label3", QStringLiteral(" :نام خانوادگي"), 4560, 1080, "Text12", 3240, 1320, 300},
        {"Label4", QStringLiteral(" :جنس"), 2640, 600, "Text10", 1920, 720, 300},
        {"Label5", QStringLiteral(" :سن"), 1200, 480, "Text6", 480, 600, 300},
        {"Label6", QStringLiteral(" :وضعيت تاهل"), 8160, 1215, "Text11", 6960, 1200, 900},
        {"Label7", QStringLiteral(" :ميزان تحصيلات"), 5640, 1320, "Text7", 4320, 1320, 900},
        {"Label8", QStringLiteral(" :تاريخ"), 3720, 600, "Text8", 2520, 1200, 900},
        {"Label9", QStringLiteral(" :ساعت"), 1920, 600, "Text9", 720, 1200, 900},
    };
    for (const Field &field : fields) {
        makeCaption(m_particulars, QString::fromLatin1(field.caption), field.text,
                    field.captionLeft, field.top, field.captionWidth, 375);
        QLineEdit *edit = makeTextBox(m_particulars, QString::fromLatin1(field.box), field.boxLeft,
                                      field.top, field.boxWidth, 375);
        edit->setFont(layoutFont(QStringLiteral("B Nazanin"), 11, true));
        makeRightToLeft(edit);
    }
    box(QStringLiteral("Text15"))->setReadOnly(true);
    box(QStringLiteral("Text6"))->setMaxLength(3);

    QLineEdit *group = makeTextBox(m_particulars, QStringLiteral("Txtgroup"), 120, 1500, 600, 375);
    group->hide();

    QPushButton *save = makeButton(m_particulars, QStringLiteral("Cmdsave"),
                                   QStringLiteral("ذخيره تغييرات"), 3960, 1500, 1575, 435);
    save->setFont(layoutFont(QStringLiteral("B Nazanin"), 12, true));
    connect(save, &QPushButton::clicked, this, &FrmkLID::saveParticulars);
}

void FrmkLID::buildCommands() {
    m_commands = makePanel(this, QStringLiteral("Frame1"), 300, 2460, 9495, 1155);
    struct Command {
        const char *name;
        QString caption;
        int left;
    };
    // Right to left, as the user reads them.
    const Command commands[] = {
        {"Command1", QStringLiteral("انتخاب آزمودني"), 7560},
        {"Command3", QStringLiteral("پرينت کل  آزمودني ها "), 5700},
        {"Cmdprof", QStringLiteral("پروفايل"), 3840},
        {"Command2", QStringLiteral("راهنما"), 1980},
        {"Command4", QStringLiteral(" خروج"), 120},
    };
    for (const Command &command : commands) {
        QPushButton *button = makeButton(m_commands, QString::fromLatin1(command.name),
                                         command.caption, command.left, 300, 1695, 555);
        button->setFont(layoutFont(QStringLiteral("B Nazanin"), 11, true));
    }
    auto button = [this](const char *name) {
        return m_commands->findChild<QPushButton *>(QString::fromLatin1(name));
    };
    connect(button("Command1"), &QPushButton::clicked, this, &FrmkLID::chooseAndScore);
    connect(button("Cmdprof"), &QPushButton::clicked, this, &FrmkLID::openProfile);
    connect(button("Command2"), &QPushButton::clicked, this, [this] { m_help->show(); });
    connect(button("Command4"), &QPushButton::clicked, this, &QWidget::close);
    // Command3 (the list of all test-takers) is wired with the printouts.
}

void FrmkLID::buildScores() {
    m_scorePanel = makePanel(this, QStringLiteral("Frame3"), 300, 3690, 9495, 2115);
    const QStringList captions{
        QStringLiteral("هوش زباني  کلامي"), QStringLiteral("هوش منطقي رياضي"),
        QStringLiteral("هوش فضايي"),        QStringLiteral("هوش بدني جنبشي"),
        QStringLiteral("هوش ميان فردي"),    QStringLiteral("هوش درون فردي"),
        QStringLiteral("هوش موزيکال"),      QStringLiteral("هوش طبيعت گرا")};
    const QStringList boxes{QStringLiteral("Text2"),  QStringLiteral("Text4"),
                            QStringLiteral("Text14"), QStringLiteral("Text17"),
                            QStringLiteral("Text18"), QStringLiteral("Txt6"),
                            QStringLiteral("Text23"), QStringLiteral("Text22")};
    // Scale 1 at the right edge, scale 8 at the left.
    for (int k = 0; k < scalekey::ScaleCount; ++k) {
        const int left = 9495 - 90 - (k + 1) * 1170;
        QLabel *caption = makeCaption(m_scorePanel, QStringLiteral("Label%1").arg(10 + k),
                                      captions.at(k), left, 240, 1110, 615);
        caption->setAlignment(Qt::AlignCenter);
        caption->setWordWrap(true);
        QLineEdit *score = makeTextBox(m_scorePanel, boxes.at(k), left, 960, 1110, 735);
        score->setReadOnly(true);
        score->setAlignment(Qt::AlignCenter);
        score->setFont(layoutFont(QStringLiteral("B Nazanin"), 20, true));
        m_scoreBoxes << score;
    }

    // The answers only pass through here on their way into the sums: locked, out of sight.
    for (int n = 1; n <= scalekey::QuestionCount; ++n) {
        QLineEdit *answer =
            makeTextBox(m_scorePanel, QStringLiteral("Txt3(%1)").arg(n), 9600, 240, 300, 300);
        answer->setReadOnly(true);
        answer->hide();
        m_answerBoxes << answer;
    }
}

void FrmkLID::buildHelp() {
    m_help = makePanel(this, QStringLiteral("Frame2"), 1380, 1080, 7635, 4935);
    m_helpText = new QPlainTextEdit(m_help);
    m_helpText->setObjectName(QStringLiteral("Text21"));
    placeTwips(m_helpText, 120, 120, 7395, 4080);
    m_helpText->setReadOnly(true);
    m_helpText->setLayoutDirection(Qt::RightToLeft);
    m_helpText->setFont(layoutFont(QStringLiteral("B Nazanin"), 14, true));
    m_helpText->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0);"));
    m_helpText->setPlainText(helpText());

    QPushButton *close = makeButton(m_help, QStringLiteral("Command7"), QStringLiteral("خروج"),
                                    3030, 4320, 1575, 435);
    close->setFont(layoutFont(QStringLiteral("B Nazanin"), 12, true));
    connect(close, &QPushButton::clicked, m_help, &QWidget::hide);
}

void FrmkLID::openDataControls() {
    using schema::FileKind;
    DataControl *settings = openDataControl(this, QStringLiteral("Adodc1"), FileKind::Settings,
                                            QStringLiteral("Theme"));
    DataControl *answers =
        openDataControl(this, QStringLiteral("Adodc2"), FileKind::Main, QStringLiteral("Answer"));
    DataControl *particulars =
        openDataControl(this, QStringLiteral("Adodc3"), FileKind::Main, QStringLiteral("IDE"));
    DataControl *scores =
        openDataControl(this, QStringLiteral("Adodc5"), FileKind::Main, QStringLiteral("IDE"));
    openDataControl(this, QStringLiteral("Adodc6"), FileKind::Main, QStringLiteral("IDE"));

    bindField(box(QStringLiteral("Text13")), settings, QStringLiteral("Name"));
    bindField(box(QStringLiteral("Text16")), settings, QStringLiteral("Adress"));
    for (int n = 1; n <= scalekey::QuestionCount; ++n)
        bindField(m_answerBoxes.at(n - 1), answers, QString::number(n));
    const struct {
        const char *box;
        const char *field;
    } bound[] = {{"Text15", "Code"}, {"Text3(3)", "FName"}, {"Text12", "LName"}, {"Text10", "Jens"},
                 {"Text6", "Sen"},   {"Text11", "Taahol"},  {"Text7", "Tahsil"}, {"Text8", "Date"},
                 {"Text9", "Time"},  {"Txtgroup", "Group"}};
    for (const auto &pair : bound)
        bindField(box(QString::fromLatin1(pair.box)), particulars, QString::fromLatin1(pair.field));
    const QStringList fields = schema::scoreFields();
    for (int k = 0; k < scalekey::ScaleCount; ++k)
        bindField(m_scoreBoxes.at(k), scores, fields.at(k));
}

DataControl *FrmkLID::dataControl(const QString &name) const {
    return findChild<DataControl *>(name, Qt::FindDirectChildrenOnly);
}

QLineEdit *FrmkLID::box(const QString &name) const {
    return findChild<QLineEdit *>(name);
}

bool FrmkLID::isChosen() const {
    return !m_scorePanel->isHidden() && !m_particulars->isHidden();
}

QStringList FrmkLID::answers() const {
    QStringList texts;
    for (QLineEdit *answer : m_answerBoxes)
        texts << answer->text();
    return texts;
}

void FrmkLID::chooseAndScore() {
    const QString code = DialogService::current().inputBox(
        this, QStringLiteral(" Enter Number "),
        QStringLiteral(" کد آزمودني ") + QStringLiteral("را وارد کنيد"), QString());
    if (code.isEmpty()) {
        TimedMessage(this, QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد"));
        return;
    }

    // The particulars typed for the test-taker on screen go to the file before the lookup
    // moves the view to another (or the same) row.
    const Status kept = storeEditedParticulars();
    if (!kept) {
        ShowStorageError(this, particularsNotSaved(), kept.error());
        return;
    }

    // Answers saved since this window opened must be seen.
    dataControl(QStringLiteral("Adodc1"))->refresh();
    dataControl(QStringLiteral("Adodc2"))->refresh();

    DataControl *existence = dataControl(QStringLiteral("Adodc6"));
    existence->setFilter(kCodeFilter, code);
    if (existence->rowCount() == 0) {
        TimedMessage(this, QStringLiteral("فردي با اين مشخصات وجود ندارد"));
        m_scorePanel->hide();
        m_particulars->hide();
        return;
    }

    // Adodc6 holds the code's filter already.
    for (const char *name : {"Adodc2", "Adodc3", "Adodc5"})
        dataControl(QString::fromLatin1(name))->setFilter(kCodeFilter, code);
    m_scorePanel->show();
    m_particulars->show();

    const QStringList given = answers();
    const QString unanswered = scalekey::unansweredList(given);
    if (!unanswered.isEmpty()) {
        DialogService::Message warning;
        warning.title = QStringLiteral("خطا");
        warning.text = QStringLiteral("شما به سوالات زير پاسخ نداده ايد") +
                       QStringLiteral("\r\n\r\n") + unanswered;
        warning.icon = DialogService::Icon::Warning;
        warning.buttons = DialogService::Buttons::Ok;
        DialogService::current().message(this, warning);
    }

    const QStringList texts = scalekey::scoreTexts(given);
    for (int k = 0; k < scalekey::ScaleCount; ++k)
        m_scoreBoxes.at(k)->setText(texts.at(k));
    DataControl *scores = dataControl(QStringLiteral("Adodc5"));
    const QStringList fields = schema::scoreFields();
    for (int k = 0; k < scalekey::ScaleCount; ++k)
        scores->setField(fields.at(k), m_scoreBoxes.at(k)->text().trimmed());

    // The scores stay on screen either way; only a stored result is reported as saved.
    const Status written = scores->update();
    if (!written) {
        ShowStorageError(this, QStringLiteral("نمره ها ذخيره نشد"), written.error());
        return;
    }
    TimedMessage(this, QStringLiteral("اطلاعات با موفقيت محاسبه و ذخيره شد"));
}

void FrmkLID::saveParticulars() {
    const Status written = dataControl(QStringLiteral("Adodc3"))->update();
    if (!written) {
        ShowStorageError(this, particularsNotSaved(), written.error());
        return;
    }
    TimedMessage(this, QStringLiteral("تغييرات ذخيره شد"));
}

void FrmkLID::openProfile() {
    if (m_scorePanel->isHidden())
        return;
    ProfileParticulars particulars;
    particulars.code = box(QStringLiteral("Text15"))->text();
    particulars.firstName = box(QStringLiteral("Text3(3)"))->text();
    particulars.familyName = box(QStringLiteral("Text12"))->text();
    particulars.age = box(QStringLiteral("Text6"))->text();
    particulars.maritalStatus = box(QStringLiteral("Text11"))->text();
    particulars.sex = box(QStringLiteral("Text10"))->text();
    particulars.education = box(QStringLiteral("Text7"))->text();
    particulars.group = box(QStringLiteral("Txtgroup"))->text();
    particulars.date = box(QStringLiteral("Text8"))->text();
    QStringList scores;
    for (QLineEdit *score : std::as_const(m_scoreBoxes))
        scores << score->text();
    Frmp::open(this, particulars, scores);
}

Status FrmkLID::storeEditedParticulars() {
    DataControl *particulars = dataControl(QStringLiteral("Adodc3"));
    if (!particulars->hasCurrentRow() || !particulars->isModified())
        return Status::success();
    return particulars->update();
}

void FrmkLID::closeEvent(QCloseEvent *event) {
    // Closing would lose particulars typed but not saved: only the user may let them go.
    const Status kept = storeEditedParticulars();
    if (!kept && !ConfirmCloseWithoutStoring(this, particularsNotSaved(), kept.error())) {
        event->ignore();
        return;
    }
    event->accept();
    MainWindowHost::show();
}

FrmkLID *OpenScoring() {
    auto *window = new FrmkLID;
    window->show();
    return window;
}

} // namespace kelvane
