#include "app/frm1.h"

#include "app/registrationpanel.h"
#include "common/fieldbinding.h"
#include "common/layout.h"
#include "common/skin.h"
#include "common/textnumber.h"
#include "data/datacontrol.h"
#include "platform/desktop.h"
#include "platform/programfolder.h"
#include "scoring/frmklid.h"
#include "testing/frmcode.h"
#include "testing/frmpas2.h"
#include "testing/frmtest.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

namespace kelvane {

namespace {
const char *const HintProperty = "hint";

QString productTitle() {
    return QStringLiteral("Kelvane %1.%2").arg(KELVANE_VERSION_MAJOR).arg(KELVANE_VERSION_MINOR);
}

QFrame *makeFrame(QWidget *parent, const QString &name) {
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->hide();
    return frame;
}
} // namespace

QString Frm1::helpUrl() {
    return QStringLiteral("http://www.kelvane.ir/other/fonts.html");
}
QString Frm1::softwareListUrl() {
    return QStringLiteral("http://www.kelvane.ir/Soft/soft-list2.pdf");
}
QString Frm1::channelUrl() {
    return QStringLiteral("https://t.me/kelvanesoft");
}
QString Frm1::siteUrl() {
    return QStringLiteral("http://www.kelvane.ir/");
}
QString Frm1::shopUrl() {
    return QStringLiteral("http://shop.kelvane.ir/");
}

Frm1::Frm1(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Frm1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Kelvane"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    sizeTwips(this, 10530, 8340);
    setMouseTracking(true);

    buildControls();
    buildPanels();

    // Load, in order: title and version, place, skin, data, leave flag, panels, logo, contacts.
    findChild<QLabel *>(QStringLiteral("SkinLabel9"))->setText(productTitle());
    moveWindowTwips(this, 2340, 765);
    m_skinName = ApplySavedSkin(this);
    openDataControls();
    setLeaveFlag(QStringLiteral("2"));
    placeTwips(findChild<QFrame *>(QStringLiteral("Frame1")), 495, 585, 7725, 5340);
    placeTwips(findChild<QFrame *>(QStringLiteral("Frame2")), 1080, 720, 7155, 3180);
    loadLogo();
    BuildContactBlock();
}

Frm1::~Frm1() = default;

void Frm1::buildControls() {
    m_header = makeSkinLabel(this, QStringLiteral("SkinLabel1"), QString(), 1185, 120, 8520, 555);
    m_header->setFont(layoutFont(QStringLiteral("B Nazanin"), 16, true));

    QLabel *title =
        makeSkinLabel(this, QStringLiteral("SkinLabel9"), QString(), 90, 1125, 4545, 375);
    title->setToolTip(QStringLiteral("نام و ورژن نرم افزار"));
    title->setLayoutDirection(Qt::LeftToRight);

    m_menu = new QFrame(this);
    m_menu->setObjectName(QStringLiteral("Frame7"));
    m_menu->setFrameShape(QFrame::StyledPanel);
    m_menu->setMouseTracking(true);
    m_menu->installEventFilter(this);
    placeTwips(m_menu, 8280, 795, 2235, 6750);
    installEventFilter(this);

    struct MenuButton {
        const char *name;
        QString caption;
        int top;
        QString hint;
    };
    const MenuButton buttons[] = {
        {"Command1", QStringLiteral("ثبت نام آزمودني"), 180,
         QStringLiteral(" شما بايد هر آزمودني را ابتدا ثبت نام کرده و سپس روي دکمه اجراي تست کليک "
                        "کرده و کد آزمودني را وارد کنيد")},
        {"Command2", QStringLiteral("اجراي تست"), 780,
         QStringLiteral(" جهت جواب دادن به سؤالها روي اين دکمه کليک کنيد و کد آزمودني مورد نظر را "
                        "وارد کنيد ")},
        {"Command3", QStringLiteral("کليد گذاري"), 1380,
         QStringLiteral(" جهت کليد گذاري روي اين دکمه کليک مي کنيد")},
        {"Command4", QStringLiteral("نمايش کد آزمودني"), 1980,
         QStringLiteral(" درصورتيکه کد آزمودني را فراموش کرده ايد با کليک بر روي  اين قسمت مي "
                        "توانيد آن را بدست بياوريد")},
        {"Command5", QStringLiteral("ماشين حساب"), 2580, QString()},
        {"Command9", QStringLiteral("تنظيمات"), 3180,
         QStringLiteral("با کليک بر روي اين دکمه شمامي توانيد:1- تم برنامه را عوض کنيد 2- نام و "
                        "آدرس کلينيک را وارد کنيد")},
        {"CmdPasokh", QStringLiteral("پاسخنامه"), 3780, QString()},
        {"Command12", QStringLiteral("درباره ما"), 4375, QString()},
        {"Cmndupdate", QStringLiteral("بروز رساني"), 4965, QString()},
        {"Command6", QStringLiteral("خروج"), 6075, QString()},
    };
    for (const MenuButton &spec : buttons) {
        QPushButton *button = makeButton(m_menu, QString::fromLatin1(spec.name), spec.caption, 240,
                                         spec.top, 1785, 555);
        button->setFont(layoutFont(QStringLiteral("B Nazanin"), 12, true));
        if (!spec.hint.isEmpty()) {
            button->setProperty(HintProperty, spec.hint);
            button->setMouseTracking(true);
            button->installEventFilter(this);
        }
    }
    makeButton(m_menu, QStringLiteral("Command11"), QStringLiteral("منابع"), 630, 5610, 1110, 390)
        ->setFont(layoutFont(QStringLiteral("B Nazanin"), 11, true));

    m_leaveFlag = makeTextBox(m_menu, QStringLiteral("Text3"), 240, 6400, 500, 300);
    m_leaveFlag->hide();

    m_hint = makeSkinLabel(this, QStringLiteral("SkinLabel2"), QString(), 300, 7560, 9975, 675);
    m_hint->setFont(layoutFont(QStringLiteral("B Nazanin"), 11, true));
    m_hint->hide();

    QLabel *notice = makeSkinLabel(
        this, QStringLiteral("SkinLabel21(10)"),
        QStringLiteral("جهت اطلاع از بروزرساني نرم افزارها، در کانال تلگرام ما عضو شويد") +
            QStringLiteral(" \u200E@kelvanesoft"), // the mark keeps "@" with the handle
        720, 5295, 6300, 840);
    notice->setFont(layoutFont(QStringLiteral("B Nazanin"), 11, true));
    notice->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    notice->setWordWrap(false);

    QPushButton *help =
        makeButton(this, QStringLiteral("CmdHelp"), QStringLiteral("Help"), 135, 135, 855, 855);
    help->setToolTip(QStringLiteral("براي مشاهده اين قسمت بايد به اينترنت کانکت شويد"));
    connect(help, &QPushButton::clicked, this, [] { Desktop::openUrl(QUrl(helpUrl())); });

    QPushButton *list = makeButton(this, QStringLiteral("Command14"),
                                   QStringLiteral("دانلود ليست نرم افزار "), 720, 5685, 1875, 465);
    connect(list, &QPushButton::clicked, this, [] { Desktop::openUrl(QUrl(softwareListUrl())); });
    QPushButton *channel = makeButton(this, QStringLiteral("Cmandkanal"),
                                      QStringLiteral("عضويت در کانال"), 2940, 5685, 1740, 465);
    connect(channel, &QPushButton::clicked, this, [] { Desktop::openUrl(QUrl(channelUrl())); });

    // The banner: the publisher's address, opened (with the shop) on a click.
    QLabel *banner = makeLabel(this, QStringLiteral("Picture1"), QStringLiteral("www.kelvane.ir"),
                               720, 6210, 6270, 690);
    banner->setAlignment(Qt::AlignCenter);
    banner->setFrameShape(QFrame::Panel);
    banner->setFrameShadow(QFrame::Sunken);
    banner->setFont(layoutFont(QStringLiteral("Arial"), 16, true));
    banner->setCursor(Qt::PointingHandCursor);
    banner->setToolTip(QStringLiteral("جهت ورود به سايت کليک کنيد"));
    banner->installEventFilter(this);

    m_contactBlock = new QPlainTextEdit(this);
    m_contactBlock->setObjectName(QStringLiteral("Txtmosh"));
    placeTwips(m_contactBlock, 12000, 9000, 3000, 1500); // off the visible area
    m_contactBlock->hide();

    QPushButton *command1 = findChild<QPushButton *>(QStringLiteral("Command1"));
    m_command1 = command1;
    connect(findChild<QPushButton *>(QStringLiteral("Command2")), &QPushButton::clicked, this,
            &Frm1::command2Clicked);
    connect(findChild<QPushButton *>(QStringLiteral("Command3")), &QPushButton::clicked, this,
            &Frm1::command3Clicked);
    connect(findChild<QPushButton *>(QStringLiteral("Command4")), &QPushButton::clicked, this,
            &Frm1::command4Clicked);
    connect(findChild<QPushButton *>(QStringLiteral("Command5")), &QPushButton::clicked, this,
            &Frm1::command5Clicked);
    connect(findChild<QPushButton *>(QStringLiteral("Command6")), &QPushButton::clicked, this,
            &Frm1::command6Clicked);
    connect(findChild<QPushButton *>(QStringLiteral("CmdPasokh")), &QPushButton::clicked, this,
            &Frm1::cmdPasokhClicked);

    makeCancelButton(this, findChild<QPushButton *>(QStringLiteral("Command6")));
}

void Frm1::buildPanels() {
    // Settings menu: the logo and its flag.
    QFrame *settings = makeFrame(this, QStringLiteral("Frame8"));
    m_logoFlag = new QCheckBox(QStringLiteral("آرم را نمايش ندهد"), settings);
    m_logoFlag->setObjectName(QStringLiteral("Check1"));
    m_logoFlag->setLayoutDirection(Qt::RightToLeft);
    placeTwips(m_logoFlag, 120, 2900, 2400, 390);
    m_image1 = new QLabel(settings);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setScaledContents(true);
    m_image1->hide();
    m_picture2 = new QLabel(settings);
    m_picture2->setObjectName(QStringLiteral("Picture2"));
    m_picture2->setScaledContents(true);
    m_picture2->setFrameShape(QFrame::Box);
    placeTwips(m_picture2, 120, 240, 1800, 1800);

    // Clinic particulars: the settings row's fields.
    QFrame *clinic = makeFrame(this, QStringLiteral("Frame9"));
    const struct {
        const char *name;
        const char *field;
    } clinicBoxes[] = {{"Text31", "Name"}, {"Text30", "Adress"}, {"Text24", "T1"},
                       {"Text29", "T2"},   {"Text2", "T3"},      {"Text14", "T4"},
                       {"Text27", "T5"},   {"Text28", "T6"}};
    int top = 240;
    for (const auto &box : clinicBoxes) {
        QLineEdit *edit = makeTextBox(clinic, QString::fromLatin1(box.name), 240, top, 4500, 375);
        edit->setProperty("field", QString::fromLatin1(box.field));
        top += 480;
    }
    m_clinicName = clinic->findChild<QLineEdit *>(QStringLiteral("Text31"));
    m_clinicAddress = clinic->findChild<QLineEdit *>(QStringLiteral("Text30"));
    for (QLineEdit *edit : {m_clinicName, m_clinicAddress}) {
        makeRightToLeft(edit);
        edit->setAlignment(Qt::AlignCenter);
    }
    connect(m_clinicName, &QLineEdit::textChanged, m_header, &QLabel::setText);

    m_registration = new RegistrationPanel(this);
    m_panels = {makeFrame(this, QStringLiteral("Frame6")), m_registration, settings, clinic,
                makeFrame(this, QStringLiteral("Frame1"))};
    makeFrame(
        this,
        QStringLiteral("Frame2")); // question editor: placed at load, not a panel HidePanels closes
}

void Frm1::openDataControls() {
    using schema::FileKind;
    DataControl *theme = openDataControl(this, QStringLiteral("Adodc1"), FileKind::Settings,
                                         QStringLiteral("Theme"));
    openDataControl(this, QStringLiteral("Adodc12"), FileKind::Main, QStringLiteral("QUS"));
    openDataControl(this, QStringLiteral("Adodc2"), FileKind::Main, QStringLiteral("IDE"));
    openDataControl(this, QStringLiteral("Adodc3"), FileKind::Main, QStringLiteral("Answer"));
    openDataControl(this, QStringLiteral("Adodc4"), FileKind::Main, QStringLiteral("Answer"));
    openDataControl(this, QStringLiteral("Adodc5"), FileKind::Main, QStringLiteral("IDE"));

    for (QLineEdit *edit :
         findChild<QFrame *>(QStringLiteral("Frame9"))->findChildren<QLineEdit *>())
        bindField(edit, theme, edit->property("field").toString());
    bindField(m_logoFlag, theme, QStringLiteral("Check1"));
    m_registration->bindData();
}

void Frm1::loadLogo() {
    // Any failure leaves both pictures empty.
    QPixmap picture;
    if (picture.load(ProgramFolder::logoFile(), "JPG") || picture.load(ProgramFolder::logoFile())) {
        m_logo = picture;
        m_image1->setPixmap(picture);
        m_picture2->setPixmap(picture);
    } else {
        m_logo = QPixmap();
        m_image1->clear();
        m_picture2->clear();
    }
}

DataControl *Frm1::dataControl(const QString &name) const {
    return findChild<DataControl *>(name, Qt::FindDirectChildrenOnly);
}

QString Frm1::leaveFlag() const {
    return m_leaveFlag->text();
}
void Frm1::setLeaveFlag(const QString &flag) {
    m_leaveFlag->setText(flag);
}
QString Frm1::clinicName() const {
    return m_clinicName->text();
}
QString Frm1::clinicAddress() const {
    return m_clinicAddress->text();
}
QString Frm1::contactBlock() const {
    return m_contactText;
}
bool Frm1::printsLogo() const {
    return m_logoFlag->isChecked();
}

void Frm1::BuildContactBlock() {
    QString block;
    DataControl *theme = dataControl(QStringLiteral("Adodc1"));
    for (const char *field : {"T1", "T2", "T3", "T4", "T5", "T6"}) {
        const QString value = theme->field(QString::fromLatin1(field));
        if (!value.isEmpty())
            block += value + QStringLiteral("\r\n");
    }
    m_contactText = block;
    m_contactBlock->setPlainText(block);
}

void Frm1::HidePanels() {
    for (QFrame *panel : std::as_const(m_panels))
        panel->hide();
    m_command1->setEnabled(true);
    DataControl *testTakers = dataControl(QStringLiteral("Adodc2"));
    if (testTakers->rowCount() >= 1) {
        testTakers->refresh();
        dataControl(QStringLiteral("Adodc3"))->refresh();
        dataControl(QStringLiteral("Adodc4"))->refresh();
    }
}

void Frm1::showHint(const QString &hint) {
    m_hint->setText(hint);
    m_hint->show();
}

void Frm1::hideHint() {
    m_hint->clear();
    m_hint->hide();
}

bool Frm1::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        const QVariant hint = watched->property(HintProperty);
        if (hint.isValid()) {
            showHint(hint.toString());
            // A button ignores a move without a pressed mouse button, which would pass it on to
            // the menu's background and hide the hint again.
            if (event->type() == QEvent::MouseMove &&
                static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton)
                return true;
        } else if (watched == this || watched == m_menu) {
            hideHint();
        }
    } else if (event->type() == QEvent::MouseButtonRelease &&
               watched->objectName() == QLatin1String("Picture1")) {
        Desktop::openUrl(QUrl(siteUrl()));
        Desktop::openUrl(QUrl(shopUrl()));
    }
    return QWidget::eventFilter(watched, event);
}

void Frm1::command2Clicked() {
    DataControl *answers = dataControl(QStringLiteral("Adodc3"));
    answers->refresh();
    if (answers->rowCount() == 0)
        return;
    HidePanels();
    StartTestRun(this);
}

void Frm1::command3Clicked() {
    if (dataControl(QStringLiteral("Adodc3"))->rowCount() == 0)
        return;
    HidePanels();
    OpenScoring();
    setLeaveFlag(QStringLiteral("1"));
    close();
}

void Frm1::command4Clicked() {
    if (dataControl(QStringLiteral("Adodc3"))->rowCount() == 0)
        return;
    HidePanels();
    OpenDirectory();
    setLeaveFlag(QStringLiteral("1"));
    hide();
}

void Frm1::command5Clicked() {
    HidePanels();
    Desktop::startCalculator();
}

void Frm1::command6Clicked() {
    HidePanels();
    // The exit window opens here when it lands; until then leaving ends the program.
    close();
}

void Frm1::cmdPasokhClicked() {
    OpenAnswerSheet(this);
}

void Frm1::closeEvent(QCloseEvent *event) {
    setProperty("unloading", true);
    DataControl *testTakers = dataControl(QStringLiteral("Adodc2"));
    testTakers->refresh();
    if (leadingNumber(leaveFlag()) != 1) {
        HidePanels();
        testTakers->refresh();
        // The exit window is shown here (at 5000, 1500) when it lands.
    } else {
        testTakers->refresh();
    }
    event->accept();
}

} // namespace kelvane
