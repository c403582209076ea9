#include "testing/frmcode.h"

#include "app/mainwindowhost.h"
#include "common/fieldbinding.h"
#include "common/layout.h"
#include "common/messages.h"
#include "common/skin.h"
#include "data/database.h"
#include "data/datacontrol.h"
#include "data/datacontrolmodel.h"
#include "platform/dialogservice.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStringListModel>
#include <QTableView>

namespace kelvane {

namespace {
const QColor GroupBoxColour(0xC0, 0xC0, 0xFF);

QString searchField(int search) {
    static const char *const fields[] = {"FName", "LName", "Group"};
    return QString::fromLatin1(fields[search]);
}

} // namespace

FrmCode::FrmCode(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmCode"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("کد آزمودني"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    sizeTwips(this, 10425, 8055);

    buildControls();

    moveWindowTwips(this, 2340, 765);
    ApplySavedSkin(this);
    openDataControls();
    m_grid->setModel(m_model);
    static const int widths[] = {1320, 1515, 1920, 1110};
    for (int column = 0; column < 4; ++column)
        m_grid->setColumnWidth(column, twips(widths[column]));
    refreshList();
}

FrmCode::~FrmCode() = default;

void FrmCode::buildControls() {
    // The grid's caption bar sits in the grid's own area, above the rows.
    QLabel *caption = makeLabel(this, QStringLiteral("DataGrid1Caption"),
                                QStringLiteral("مشخصات آزمودني"), 300, 720, 6255, 360);
    caption->setFont(layoutFont(QStringLiteral("B Nazanin"), 12, true));
    caption->setAlignment(Qt::AlignCenter);
    caption->setFrameShape(QFrame::Panel);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DataGrid1"));
    placeTwips(m_grid, 300, 1080, 6255, 6375);
    m_grid->setFont(layoutFont(QStringLiteral("B Nazanin"), 11));
    m_grid->setLayoutDirection(Qt::RightToLeft);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(twips(330));
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

    const auto makeSearchBox = [this](const QString &name, int top, int height) {
        auto *box = new QComboBox(this);
        box->setObjectName(name);
        box->setEditable(true);
        // The search matches the text as typed: no completion, and Enter adds nothing to the list.
        box->setCompleter(nullptr);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(6);
        box->setMaxVisibleItems(15);
        box->setFont(layoutFont(QStringLiteral("Arial"), 10));
        placeTwips(box, 6840, top, 1875, height);
        return box;
    };
    m_firstName = makeSearchBox(QStringLiteral("DataCombo6"), 1140, 420);
    m_lastName = makeSearchBox(QStringLiteral("DataCombo1"), 1620, 420);
    for (QComboBox *box : {m_firstName, m_lastName}) {
        makeRightToLeft(box);
        box->lineEdit()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // Long lists (one entry per distinct name) must not measure every entry.
        if (auto *view = qobject_cast<QListView *>(box->view()))
            view->setUniformItemSizes(true);
    }
    m_firstNames = new QStringListModel(this);
    m_lastNames = new QStringListModel(this);
    m_firstName->setModel(m_firstNames);
    m_lastName->setModel(m_lastNames);

    m_group = makeSearchBox(QStringLiteral("Combo3"), 2100, 405);
    m_group->setFont(layoutFont(QStringLiteral("Arial"), 12, true));
    m_group->addItems({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                       QStringLiteral("D"), QStringLiteral("E"), QStringLiteral("F"),
                       QStringLiteral("G")});
    m_group->setCurrentIndex(-1);
    QPalette palette = m_group->palette();
    palette.setColor(QPalette::Base, GroupBoxColour);
    palette.setColor(QPalette::Button, GroupBoxColour);
    m_group->setPalette(palette);
    m_group->lineEdit()->setPalette(palette);
    // Its own sheet, so the skin's input colour does not cover it.
    m_group->setStyleSheet(
        QStringLiteral("QComboBox, QComboBox QLineEdit { background-color: %1; }")
            .arg(GroupBoxColour.name()));

    makeCaption(this, QStringLiteral("Label1"), QStringLiteral(" :نام "), 8760, 1140, 1455, 420);
    makeCaption(this, QStringLiteral("Label2"), QStringLiteral(" :نام خانوادگي"), 8760, 1620, 1455,
                420);
    makeCaption(this, QStringLiteral("Label3"), QStringLiteral(" :گروه"), 8760, 2100, 1455, 405);

    auto *frame = new QGroupBox(QStringLiteral("حذف کردن آزمودني"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setLayoutDirection(Qt::RightToLeft);
    frame->setFont(layoutFont(QStringLiteral("B Nazanin"), 12, true));
    placeTwips(frame, 6840, 3240, 3315, 2655);
    QLabel *prompt = makeCaption(frame, QStringLiteral("Label4"),
                                 QStringLiteral("کد آزمودني را وارد کنيد"), 120, 480, 3075, 420);
    prompt->setAlignment(Qt::AlignCenter);
    m_code = makeTextBox(frame, QStringLiteral("Text5"), 600, 1080, 2115, 450);
    m_code->setFont(layoutFont(QStringLiteral("Arial"), 12, true));
    m_code->setAlignment(Qt::AlignCenter);
    QPushButton *remove =
        makeButton(frame, QStringLiteral("Command2"), QStringLiteral("حذف "), 960, 1800, 1395, 555);
    remove->setFont(layoutFont(QStringLiteral("B Nazanin"), 12, true));
    connect(remove, &QPushButton::clicked, this, &FrmCode::deleteTestTaker);
    connect(m_code, &QLineEdit::returnPressed, this, &FrmCode::deleteTestTaker);

    // Wired to the printed list of one group.
    makeButton(this, QStringLiteral("Command1"), QStringLiteral("پرينت بر اساس گروه"), 7440, 6000,
               2025, 555)
        ->setFont(layoutFont(QStringLiteral("B Nazanin"), 12, true));
    QPushButton *exit =
        makeButton(this, QStringLiteral("Command6"), QStringLiteral("خروج"), 7860, 6780, 1065, 555);
    exit->setFont(layoutFont(QStringLiteral("B Nazanin"), 12, true));
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    makeCancelButton(this, exit);

    m_address = makeTextBox(this, QStringLiteral("Text4"), 300, 7500, 1500, 300);
    m_address->hide();

    connectSearch(Search::FirstName);
    connectSearch(Search::LastName);
    connectSearch(Search::Group);
}

void FrmCode::openDataControls() {
    using schema::FileKind;
    DataControl *theme = openDataControl(this, QStringLiteral("Adodc1"), FileKind::Settings,
                                         QStringLiteral("Theme"));
    m_list = openDataControl(this, QStringLiteral("Adodc2"), FileKind::Main, QStringLiteral("IDE"));
    openDataControl(this, QStringLiteral("Adodc3"), FileKind::Main, QStringLiteral("IDE"));
    openDataControl(this, QStringLiteral("Adodc4"), FileKind::Main, QStringLiteral("Answer"));
    bindField(m_address, theme, QStringLiteral("Adress"));

    m_model = new DataControlModel(m_list,
                                   {{QStringLiteral("Code"), QStringLiteral("كدآزمودني")},
                                    {QStringLiteral("FName"), QStringLiteral("نام")},
                                    {QStringLiteral("LName"), QStringLiteral("نام خانوادگي")},
                                    {QStringLiteral("Group"), QStringLiteral("گروه")}},
                                   this);
}

DataControl *FrmCode::dataControl(const QString &name) const {
    return findChild<DataControl *>(name, Qt::FindDirectChildrenOnly);
}

QString FrmCode::groupText() const {
    return m_group->currentText();
}

QString FrmCode::clinicAddress() const {
    return m_address->text();
}

QComboBox *FrmCode::searchBox(Search search) const {
    switch (search) {
    case Search::FirstName:
        return m_firstName;
    case Search::LastName:
        return m_lastName;
    case Search::Group:
        break;
    }
    return m_group;
}

void FrmCode::connectSearch(Search search) {
    QComboBox *box = searchBox(search);
    connect(box, &QComboBox::editTextChanged, this, [this, search] {
        if (!m_quiet)
            runSearch(search);
    });
    // Choosing an item usually changes the text too, which has already run the search; a choice
    // of the text already shown (say, after a deletion listed everyone again) still runs it.
    connect(box, &QComboBox::activated, this, [this, search, box] {
        if (m_quiet)
            return;
        if (m_list->isFiltered() && m_list->filterField() == searchField(int(search)) &&
            m_list->filterValue() == box->currentText())
            return;
        runSearch(search);
    });
}

void FrmCode::clearBox(QComboBox *box) {
    QScopedValueRollback<bool> quiet(m_quiet, true);
    box->setCurrentIndex(-1);
    box->clearEditText();
}

void FrmCode::runSearch(Search search) {
    for (Search other : {Search::FirstName, Search::LastName, Search::Group}) {
        if (other != search)
            clearBox(searchBox(other));
    }
    m_list->setFilter(searchField(int(search)), searchBox(search)->currentText());
    m_model->reload();
}

void FrmCode::reloadNameLists() {
    QScopedValueRollback<bool> quiet(m_quiet, true);
    const struct {
        QComboBox *box;
        QStringListModel *model;
        const char *field;
    } lists[] = {{m_firstName, m_firstNames, "FName"}, {m_lastName, m_lastNames, "LName"}};
    for (const auto &list : lists) {
        QStringList values;
        m_list->distinctValues(QString::fromLatin1(list.field), &values);
        // A new list selects its first entry; the box keeps what it showed.
        const QString text = list.box->currentText();
        list.model->setStringList(values);
        list.box->setCurrentIndex(-1);
        list.box->setEditText(text);
    }
}

void FrmCode::refreshList() {
    m_list->refresh();
    m_model->reload();
    reloadNameLists();
}

void FrmCode::deleteTestTaker() {
    const QString code = m_code->text();
    if (code.isEmpty()) {
        TimedMessage(this, QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد"));
        return;
    }
    DataControl *testTaker = dataControl(QStringLiteral("Adodc3"));
    DataControl *answers = dataControl(QStringLiteral("Adodc4"));
    const Status found = testTaker->setFilter(QStringLiteral("Code"), code);
    if (!found) {
        ShowStorageError(this, QStringLiteral("اطلاعات آزمودني خوانده نشد"), found.error());
        testTaker->refresh();
        return;
    }
    if (testTaker->rowCount() == 0) {
        TimedMessage(this, QStringLiteral("فردي با اين کد وجود ندارد"));
        testTaker->refresh();
        return;
    }
    answers->setFilter(QStringLiteral("Code"), code);

    DialogService::Message question;
    question.text = QStringLiteral("آيا براي حذف کردن مطمئن هستيد؟");
    question.icon = DialogService::Icon::Question;
    question.buttons = DialogService::Buttons::YesNo;
    question.rightToLeft = true;
    if (DialogService::current().message(this, question) != DialogService::Reply::Yes) {
        testTaker->refresh();
        refreshList();
        return;
    }

    // Both rows or neither: a test-taker must not lose the particulars and keep the answers.
    const Status status = Database::transaction(testTaker->connectionName(), [&] {
        if (testTaker->hasCurrentRow()) {
            const Status removed = testTaker->deleteCurrent();
            if (!removed)
                return removed;
        }
        return answers->hasCurrentRow() ? answers->deleteCurrent() : Status::success();
    });
    if (!status) {
        ShowStorageError(this, QStringLiteral("آزمودني حذف نشد"), status.error());
        answers->refresh();
        testTaker->refresh();
        refreshList();
        m_code->setFocus();
        return;
    }
    TimedMessage(this, QStringLiteral("حذف با موفقيت انجام گرفت"));
    m_code->clear();
    m_code->setFocus();
    // Nothing is left unsaved in these controls, so a refresh is all that remains.
    answers->refresh();
    testTaker->refresh();
    refreshList();
}

void FrmCode::closeEvent(QCloseEvent *event) {
    QWidget::closeEvent(event);
    if (event->isAccepted())
        MainWindowHost::show();
}

FrmCode *OpenDirectory() {
    auto *window = new FrmCode;
    window->show();
    return window;
}

} // namespace kelvane
