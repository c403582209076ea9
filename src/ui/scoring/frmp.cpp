#include "scoring/frmp.h"

#include "common/fieldbinding.h"
#include "common/layout.h"
#include "common/textnumber.h"
#include "data/datacontrol.h"
#include "scoring/scalekey.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace kelvane {

namespace {

const QColor kPurple(128, 0, 128);
const QColor kPink(255, 192, 255);
const QColor kBlue(0, 0, 255);
// The system's inactive-border colour of the classic desktop scheme.
const QColor kInactiveBorder(212, 208, 200);

QPointer<Frmp> &sheet() {
    static QPointer<Frmp> instance;
    return instance;
}

QPoint at(int left, int top) {
    return QPoint(twips(left), twips(top));
}

void horizontal(QPainter &painter, int y, int fromX, int toX) {
    painter.drawLine(at(fromX, y), at(toX, y));
}

void vertical(QPainter &painter, int x, int fromY, int toY) {
    painter.drawLine(at(x, fromY), at(x, toY));
}

// The sheet's surface: background, frame, rules and the chart's fixed lines, beneath every
// label and bar.
class SheetCanvas : public QWidget {
public:
    explicit SheetCanvas(QWidget *parent) : QWidget(parent) {
        setObjectName(QStringLiteral("SheetCanvas"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::HighlightedText));

        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(at(390, 345), QSize(twips(11055), twips(7935))));

        // Caption column background, under the chart's lines.
        painter.fillRect(QRect(at(465, 2595), QSize(twips(1920), twips(4830))), kPink);

        painter.setPen(QPen(Qt::black, 1));
        for (int y : {390, 975, 1320})
            horizontal(painter, y, 465, 11385);
        for (int x : {450, 11370, 2340})
            vertical(painter, x, 2200, 7450);
        for (int y : {2145, 2175, 2565, 2595, 7470, 7500})
            horizontal(painter, y, 465, 11385);
        horizontal(painter, 2565, 585, 1305);
        vertical(painter, Frmp::BarLeft, 2325, 7455);
        for (int row = 1; row < scalekey::ScaleCount; ++row)
            horizontal(painter, 2595 + 600 * row, 450, 11370);
        for (int y : {8205, 8235})
            horizontal(painter, y, 430, 11350);
    }
};

// The grid at the scores 10, 20, 30 and 40, drawn over the bars in invert mode so it stays
// visible across them.
class GridOverlay : public QWidget {
public:
    explicit GridOverlay(QWidget *parent) : QWidget(parent) {
        setObjectName(QStringLiteral("GridOverlay"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        painter.setPen(QPen(Qt::white, 1, Qt::DashDotLine));
        for (int score = 10; score <= 40; score += 10)
            vertical(painter, Frmp::BarLeft + Frmp::TwipsPerPoint * score, 2300, 7550);
    }
};

QLabel *makeSheetLabel(QWidget *parent, const QString &name, const QString &text, int left, int top,
                       int width, int height, const QFont &font) {
    QLabel *label = makeLabel(parent, name, text, left, top, width, height);
    label->setFont(font);
    return label;
}

} // namespace

Frmp::Frmp(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Frmp"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString());
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    sizeTwips(this, 11850, 8745);
    QPalette background = palette();
    background.setColor(QPalette::Window, palette().color(QPalette::HighlightedText));
    setPalette(background);
    setAutoFillBackground(true);

    auto *canvas = new SheetCanvas(this);
    canvas->setGeometry(rect());

    buildHeader();
    buildStrip();
    buildChart();

    m_overlay = new GridOverlay(this);
    m_overlay->setGeometry(rect());
    m_overlay->raise();

    buildCommandBar();

    // Used by the printed profile and the Word export.
    for (const char *name : {"Timer1", "Timer2"}) {
        auto *timer = new QTimer(this);
        timer->setObjectName(QString::fromLatin1(name));
        timer->setInterval(500);
        timer->setSingleShot(true);
    }
    for (const char *name : {"Picture1", "Picture2"}) {
        QLabel *picture = makeLabel(this, QString::fromLatin1(name), QString(), 0, 0, 1500, 1500);
        picture->hide();
    }
    m_txtid = new QPlainTextEdit(this);
    m_txtid->setObjectName(QStringLiteral("Txtid"));
    placeTwips(m_txtid, 0, 0, 3000, 600);
    m_txtid->hide();

    // Load: place, bars at their start with no length, clinic name and address.
    moveWindowTwips(this, 2340, 765);
    for (int row = 0; row < scalekey::ScaleCount; ++row)
        m_barTwips << 0;
    drawBars();
    DataControl *settings = openDataControl(this, QStringLiteral("Adodc1"),
                                            schema::FileKind::Settings, QStringLiteral("Theme"));
    bindField(findChild<QLabel *>(QStringLiteral("Label1(5)")), settings, QStringLiteral("Name"));
    bindField(findChild<QLabel *>(QStringLiteral("Label1(6)")), settings, QStringLiteral("Adress"));

    makeCancelButton(this, findChild<QPushButton *>(QStringLiteral("cmdexit")));
}

void Frmp::buildHeader() {
    QLabel *name = makeSheetLabel(this, QStringLiteral("Label1(5)"), QString(), 495, 375, 10920,
                                  390, layoutFont(QStringLiteral("B Nazanin"), 14.25, true));
    name->setAlignment(Qt::AlignCenter);
    name->setLayoutDirection(Qt::RightToLeft);
    name->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));

    QLabel *title =
        makeLabel(this, QStringLiteral("Label2"),
                  QStringLiteral("Gardner's multiple intelligence test "), 465, 870, 10920, 450);
    title->setFont(layoutFont(QStringLiteral("Arial"), 12, true));
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(
        QStringLiteral("background-color: rgb(128, 0, 128); color: rgb(%1, %2, %3);")
            .arg(kInactiveBorder.red())
            .arg(kInactiveBorder.green())
            .arg(kInactiveBorder.blue()));

    QLabel *address = makeSheetLabel(this, QStringLiteral("Label1(6)"), QString(), 435, 8370, 10920,
                                     255, layoutFont(QStringLiteral("Arial"), 11.25, true));
    makeRightToLeft(address);
    address->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
}

void Frmp::buildStrip() {
    auto *strip = new QFrame(this);
    strip->setObjectName(QStringLiteral("Frame1"));
    strip->setFrameShape(QFrame::NoFrame);
    placeTwips(strip, 465, 1395, 10920, 645);
    QPalette background = strip->palette();
    background.setColor(QPalette::Window, palette().color(QPalette::HighlightedText));
    strip->setPalette(background);
    strip->setAutoFillBackground(true);

    const QFont font = layoutFont(QStringLiteral("B Nazanin"), 11.25, true);
    const struct {
        int caption;
        QString text;
        int captionLeft, captionTop, captionWidth;
        int valueLeft, valueTop, valueWidth;
    } items[] = {
        {38, QStringLiteral("کدآزمودني:"), 9870, -15, 1050, 8685, -15, 1125},
        {27, QStringLiteral("نام و نام خانوادگي:"), 7320, -15, 1365, 5250, -15, 2055},
        {29, QStringLiteral("سن:"), 4755, -15, 495, 4350, -15, 390},
        {31, QStringLiteral("تاهل:"), 3945, -15, 405, 3405, -15, 480},
        {34, QStringLiteral("جنس:"), 2955, -15, 450, 2460, -15, 480},
        {36, QStringLiteral("تحصيلات:"), 1695, -15, 765, 165, -15, 1470},
        {40, QStringLiteral("گروه:"), 10290, 255, 630, 9795, 300, 480},
        {30, QStringLiteral("تاريخ:"), 8940, 285, 855, 7830, 285, 1050},
    };
    int index = 0;
    for (const auto &item : items) {
        QLabel *caption =
            makeSheetLabel(strip, QStringLiteral("lblscale(%1)").arg(item.caption), item.text,
                           item.captionLeft, item.captionTop, item.captionWidth, 405, font);
        makeRightToLeft(caption);
        QLabel *value = makeSheetLabel(strip, QStringLiteral("lblSID(%1)").arg(index++), QString(),
                                       item.valueLeft, item.valueTop, item.valueWidth, 405, font);
        makeRightToLeft(value);
        m_values << value;
    }
}

void Frmp::buildChart() {
    const QFont rowFont = layoutFont(QStringLiteral("B Nazanin"), 12, true);
    QLabel *kinds = makeSheetLabel(this, QStringLiteral("Label3"), QStringLiteral("انواع هوش"),
                                   1020, 2160, 1035, 375, rowFont);
    kinds->setAlignment(Qt::AlignCenter);
    QLabel *raw = makeSheetLabel(this, QStringLiteral("Label4"), QStringLiteral("نمره خام"), 2355,
                                 2205, 720, 345, rowFont);
    raw->setAlignment(Qt::AlignCenter);

    const struct {
        const char *text;
        int left;
    } marks[] = {{"0", 3090},  {"10", 4665}, {"20", 6300},
                 {"30", 7950}, {"40", 9615}, {"50", 11160}};
    int index = 0;
    for (const auto &mark : marks) {
        QLabel *label = makeLabel(this, QStringLiteral("lblrate(%1)").arg(index++),
                                  QString::fromLatin1(mark.text), mark.left, 2280, 255, 255);
        label->setFont(layoutFont(QStringLiteral("MS Sans Serif"), 8.25, true));
        label->setAlignment(Qt::AlignCenter);
        label->setStyleSheet(
            QStringLiteral("background-color: rgb(128, 0, 128); color: rgb(255, 255, 255);"));
    }

    const struct {
        int caption;
        QString text;
        int captionTop, scoreTop, barTop;
    } rows[] = {
        {24, QStringLiteral("هوش زباني کلامي"), 2670, 2760, 2760},
        {26, QStringLiteral("هوش منطقي رياضي"), 3270, 3375, 3360},
        {25, QStringLiteral("هوش فضايي"), 3885, 3990, 3960},
        {0, QStringLiteral("هوش بدني جنبشي"), 4440, 4560, 4545},
        {1, QStringLiteral("هوش ميان فردي"), 5070, 5160, 5160},
        {2, QStringLiteral("هوش درون فردي"), 5655, 5775, 5760},
        {3, QStringLiteral("هوش موزيکال"), 6240, 6360, 6345},
        {4, QStringLiteral("هوش طبيعت گرا"), 6840, 6945, 6960},
    };
    const QFont scoreFont = layoutFont(QStringLiteral("Arabic Transparent"), 12, true);
    int row = 0;
    for (const auto &spec : rows) {
        QLabel *caption = makeSheetLabel(this, QStringLiteral("lblscale(%1)").arg(spec.caption),
                                         spec.text, 465, spec.captionTop, 1785, 405, rowFont);
        makeRightToLeft(caption);

        QLabel *score = makeSheetLabel(this, QStringLiteral("LblKHAM(%1)").arg(row), QString(),
                                       2385, spec.scoreTop, 255, 375, scoreFont);
        score->setAlignment(Qt::AlignCenter);
        m_rawScores << score;

        auto *bar = new QFrame(this);
        bar->setObjectName(QStringLiteral("shpr(%1)").arg(row));
        bar->setFrameShape(QFrame::NoFrame);
        QPalette fill = bar->palette();
        fill.setColor(QPalette::Window, kPurple);
        bar->setPalette(fill);
        bar->setAutoFillBackground(true);
        placeTwips(bar, BarLeft, spec.barTop, 0, 300);
        m_bars << bar;
        ++row;
    }
}

void Frmp::buildCommandBar() {
    auto *bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("frmr"));
    bar->setFrameShape(QFrame::NoFrame);
    placeTwips(bar, 450, 7545, 10935, 630);
    QPalette fill = bar->palette();
    fill.setColor(QPalette::Window, kPurple);
    bar->setPalette(fill);
    bar->setAutoFillBackground(true);
    bar->raise();

    const struct {
        const char *name;
        QString caption;
        int left, width;
    } commands[] = {
        {"Command1", QStringLiteral("خروجي Word"), 4635, 1560},
        {"cmdprint", QStringLiteral("پرينت"), 3195, 1335},
        {"cmdexit", QStringLiteral("خروج"), 315, 1335},
        {"cmdr", QStringLiteral("رسم نمودار"), 1755, 1335},
    };
    for (const auto &command : commands) {
        QPushButton *button = makeButton(bar, QString::fromLatin1(command.name), command.caption,
                                         command.left, 120, command.width, 390);
        button->setFont(layoutFont(QStringLiteral("B Nazanin"), 12, true));
        button->setStyleSheet(QStringLiteral("background-color: rgb(%1, %2, %3);")
                                  .arg(kPink.red())
                                  .arg(kPink.green())
                                  .arg(kPink.blue()));
    }
    QPushButton *draw = bar->findChild<QPushButton *>(QStringLiteral("cmdr"));
    draw->hide();
    connect(draw, &QPushButton::clicked, this, &Frmp::drawBars);
    connect(bar->findChild<QPushButton *>(QStringLiteral("cmdexit")), &QPushButton::clicked, this,
            &QWidget::close);
    // cmdprint and Command1 are wired with the printed profile and the Word export.

    findChild<QFrame *>(QStringLiteral("Frame1"))->raise();
}

Frmp *Frmp::loaded() {
    Frmp *window = sheet().data();
    return window && !window->property("unloading").toBool() ? window : nullptr;
}

Frmp *Frmp::open(QWidget *returnTo, const ProfileParticulars &particulars,
                 const QStringList &scores) {
    Frmp *window = loaded();
    if (!window) {
        window = new Frmp;
        sheet() = window;
    }
    window->m_returnTo = returnTo;
    window->fill(particulars, scores);
    window->show();
    window->raise();
    window->activateWindow();
    // Activation may come later (or not at all off screen): the sheet is drawn now as well.
    window->redraw();
    return window;
}

void Frmp::fill(const ProfileParticulars &particulars, const QStringList &scores) {
    m_particulars = particulars;
    const QStringList values{
        particulars.code,  particulars.firstName + QLatin1Char(' ') + particulars.familyName,
        particulars.age,   particulars.maritalStatus,
        particulars.sex,   particulars.education,
        particulars.group, particulars.date};
    for (int i = 0; i < m_values.size(); ++i)
        m_values.at(i)->setText(values.at(i));
    for (int i = 0; i < m_rawScores.size(); ++i) {
        QLabel *score = m_rawScores.at(i);
        score->setText(scores.value(i));
        // The label fits its text and stays at its left edge.
        score->resize(score->sizeHint().expandedTo(QSize(1, score->height())));
    }
}

QString Frmp::particularsText(const ProfileParticulars &p) {
    const QString separator = QStringLiteral(" -  ");
    return QStringLiteral("كدآزمودني:") + p.code + separator + QStringLiteral("نام: ") +
           p.firstName + separator + QStringLiteral("نام خانوادگي:  ") + p.familyName + separator +
           QStringLiteral("جنس:  ") + p.sex + separator + QStringLiteral("سن:  ") + p.age +
           separator + QStringLiteral("وضعيت تاهل:   ") + p.maritalStatus + separator +
           QStringLiteral("تحصيلات:  ") + p.education;
}

void Frmp::drawBars() {
    // A freak score never draws a bar backwards or past the window's right edge.
    constexpr int longest = 11850 - BarLeft;
    for (int row = 0; row < m_bars.size(); ++row) {
        const double points =
            row < m_rawScores.size() ? leadingNumber(m_rawScores.at(row)->text()) : 0.0;
        const double length = std::clamp(TwipsPerPoint * points, 0.0, double(longest));
        m_barTwips[row] = int(std::lround(length));
        QFrame *bar = m_bars.at(row);
        bar->resize(twips(m_barTwips.at(row)), bar->height());
    }
}

void Frmp::redraw() {
    drawBars();
    // Built from the particulars the sheet shows, so the export's text always matches the chart.
    m_txtidText = particularsText(m_particulars);
    m_txtid->setPlainText(m_txtidText);
}

int Frmp::barWidthTwips(int row) const {
    return row >= 0 && row < m_barTwips.size() ? m_barTwips.at(row) : 0;
}

QString Frmp::particularsTextShown() const {
    return m_txtidText;
}

bool Frmp::event(QEvent *event) {
    if (event->type() == QEvent::WindowActivate)
        redraw();
    return QWidget::event(event);
}

void Frmp::closeEvent(QCloseEvent *event) {
    setProperty("unloading", true);
    event->accept();
    if (m_returnTo) {
        m_returnTo->show();
        m_returnTo->raise();
        m_returnTo->activateWindow();
    }
}

} // namespace kelvane
